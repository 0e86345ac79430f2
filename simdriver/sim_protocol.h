/* The simulator's control channel: a second device beside the modem's control device, through which
 * kivsim.exe sets the records, plays scenarios, injects faults and reads back what the driver saw.
 * Plain C with fixed-width fields only, so that the driver, kivsim.exe (32 or 64 bit) and the
 * platform-neutral parser share one layout. */
#ifndef KIV_SIMDRIVER_SIM_PROTOCOL_H
#define KIV_SIMDRIVER_SIM_PROTOCOL_H

#include <stdint.h>

#define KIVSIM_CONTROL_NAME "\\\\.\\KIVSIM"
#define KIVSIM_SERVICE_NAME "kivsim"

/* Buffered requests of device type FILE_DEVICE_UNKNOWN, functions 0x900 and up, any access. */
#define KIVSIM_CTL(function) ((0x22u << 16) | ((function) << 2))
#define KIVSIM_IOCTL_APPLY KIVSIM_CTL(0x900u)  /* in: KivSimFieldOp[n]; applied at once, together */
#define KIVSIM_IOCTL_RESET KIVSIM_CTL(0x901u)  /* no data: power-on state, see below */
#define KIVSIM_IOCTL_PLAY KIVSIM_CTL(0x902u)   /* in: a compiled scenario; starts it at once */
#define KIVSIM_IOCTL_HALT KIVSIM_CTL(0x903u)   /* no data: stops playback, records stay as they are */
#define KIVSIM_IOCTL_FAULT KIVSIM_CTL(0x904u)  /* in: KivSimFault */
#define KIVSIM_IOCTL_REPORT KIVSIM_CTL(0x905u) /* out: KivSimReport */

/* The modem's three request codes, as indexes of the per-code tables below. */
#define KIVSIM_CODE_COUNT 3u
#define KIVSIM_CODE_INDEX(code) ((code)-0x801u)

/* One change to one field of the live records. */
#define KIVSIM_RECORD_STATUS 0u
#define KIVSIM_RECORD_STATISTICS 1u

#define KIVSIM_OP_SET 0u   /* field = value */
#define KIVSIM_OP_OR 1u    /* field |= value (raise bits) */
#define KIVSIM_OP_CLEAR 2u /* field &= ~value (drop bits) */
#define KIVSIM_OP_ADD 3u   /* field += value, stopping at the field's largest value */
#define KIVSIM_OP_SUB 4u   /* field -= value, stopping at 0 */
#define KIVSIM_OP_COUNT 5u

typedef struct KivSimFieldOp {
  uint8_t record; /* KIVSIM_RECORD_* */
  uint8_t offset; /* byte offset in that record */
  uint8_t width;  /* 2 or 4 */
  uint8_t op;     /* KIVSIM_OP_* */
  uint32_t value;
} KivSimFieldOp;

/* A compiled scenario: the header, then stepCount steps, then opCount operations. Each step applies
 * ops[firstOp .. firstOp + opCount - 1] when playback has run atMs milliseconds. */
#define KIVSIM_MAX_STEPS 1024u
#define KIVSIM_MAX_OPS 4096u
#define KIVSIM_NO_LOOP 0xFFFFFFFFu

typedef struct KivSimScenarioHeader {
  uint32_t stepCount;
  uint32_t opCount;
  uint32_t loopAtMs; /* playback starts over at this time, or KIVSIM_NO_LOOP; never before the last step */
  uint32_t reserved; /* 0 */
} KivSimScenarioHeader;

typedef struct KivSimStep {
  uint32_t atMs; /* not decreasing from step to step */
  uint32_t firstOp;
  uint32_t opCount;
} KivSimStep;

/* Fault injection. Counts apply to the next N events of their kind and run down to 0. */
#define KIVSIM_FAULT_REFUSE_OPENS 0u /* times: refuse that many further opens of the modem device */
#define KIVSIM_FAULT_FAIL 1u /* code, times, value: fail that many requests of code with NTSTATUS value */
#define KIVSIM_FAULT_BYTE_COUNT 2u /* code, times, value: report value bytes returned that many times */
#define KIVSIM_FAULT_HOLD 3u       /* stop answering the modem device's requests; they wait */
#define KIVSIM_FAULT_CLEAR 4u      /* every fault off; waiting requests are answered */
#define KIVSIM_FAULT_KIND_COUNT 5u

/* A fault's NTSTATUS must be an error status. */
#define KIVSIM_DEFAULT_FAIL_STATUS 0xC0000185u /* STATUS_IO_DEVICE_ERROR: ERROR_IO_DEVICE, 1117 */

typedef struct KivSimFault {
  uint32_t kind; /* KIVSIM_FAULT_* */
  uint32_t code; /* 0x801 to 0x803 where the kind needs one, else 0 */
  uint32_t times;
  uint32_t value;
} KivSimFault;

typedef struct KivSimFaultState {
  uint32_t refuseOpens;
  uint32_t failTimes[KIVSIM_CODE_COUNT];
  uint32_t failStatus[KIVSIM_CODE_COUNT];
  uint32_t countTimes[KIVSIM_CODE_COUNT];
  uint32_t countValue[KIVSIM_CODE_COUNT];
  uint32_t hold;
} KivSimFaultState;

/* What the driver saw since it was loaded or last reset. */
typedef struct KivSimReport {
  uint32_t opens;                       /* opens of the modem device granted */
  uint32_t refusedOpens;                /* opens refused: device held, or a fault */
  uint32_t closes;                      /* closes of the handle that held the device */
  uint32_t requests[KIVSIM_CODE_COUNT]; /* requests by code from the holder, answered or not */
  uint32_t foreignRequests;             /* requests from a handle that does not hold the device, refused */
  uint32_t unknownRequests;             /* other control codes from the holder, refused */
  uint32_t held;                        /* 1 while a handle holds the device */
  uint32_t holderProcessId;             /* the process that opened it, as the driver sees it */
  uint32_t waitingRequests;             /* requests held unanswered by the hold fault */
  uint32_t playing;                     /* 1 while a scenario plays */
  uint32_t playedSteps;                 /* steps applied since playback started, loops included */
  uint32_t rtsRequestSeen;              /* 1 once a request 0x803 brought 10 bytes */
  uint8_t lastRtsRequest[10];
  uint8_t padding[2];
  uint8_t status[26];     /* the live ModemStatusRecord */
  uint8_t statistics[34]; /* the live ModemStatisticsRecord */
  KivSimFaultState faults;
} KivSimReport;

#ifdef __cplusplus
#define KIVSIM_STATIC_ASSERT(condition, message) static_assert(condition, message)
#else
#define KIVSIM_STATIC_ASSERT(condition, message) _Static_assert(condition, message)
#endif
KIVSIM_STATIC_ASSERT(sizeof(KivSimFieldOp) == 8, "operations are 8 bytes");
KIVSIM_STATIC_ASSERT(sizeof(KivSimScenarioHeader) == 16 && sizeof(KivSimStep) == 12, "scenario layout");
KIVSIM_STATIC_ASSERT(sizeof(KivSimFault) == 16, "a fault is 16 bytes");
KIVSIM_STATIC_ASSERT(sizeof(KivSimReport) == 184, "the report has no gaps and one size on every build");

/* Power-on state: an idle modem with the terminal's lines up, empty buffers of these sizes. */
#define KIVSIM_DEFAULT_MODE 1u
#define KIVSIM_DEFAULT_SIGNALS 0x3Cu /* DTR, RTS, DSR, CTS */
#define KIVSIM_DEFAULT_DTE_SIZE 2048u
#define KIVSIM_DEFAULT_DCE_SIZE 1024u
#define KIVSIM_DEFAULT_QUEUE_SIZE 512u
#define KIVSIM_DEFAULT_RTS_FREQUENCY 30u

#endif
