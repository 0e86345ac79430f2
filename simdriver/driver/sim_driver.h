/* The simulated modem driver's shared state and the routines its parts call on one another. */
#ifndef KIV_SIMDRIVER_DRIVER_SIM_DRIVER_H
#define KIV_SIMDRIVER_DRIVER_SIM_DRIVER_H

/* The DDK headers build only at their own default level; the calls made here are all NT 4's. */
#undef _WIN32_WINNT
#undef WINVER
#undef _WIN32_IE
#include <ntddk.h>

#include "frontpanel/device_protocol.h"
#include "simdriver/sim_protocol.h"

#define KIVSIM_POOL_TAG 'miSK'

/* Byte offsets of the statistics words the driver itself writes: word i lies at 2 * i. */
#define KIVSIM_WORD_DTE_TX_SIZE (2 * 2)
#define KIVSIM_WORD_DTE_RX_SIZE (2 * 4)
#define KIVSIM_WORD_DCE_TX_SIZE (2 * 6)
#define KIVSIM_WORD_DCE_RX_SIZE (2 * 8)
#define KIVSIM_WORD_QIN_SIZE (2 * 10)
#define KIVSIM_WORD_QOUT_SIZE (2 * 12)
#define KIVSIM_WORD_RTS_FREQUENCY (2 * 15)

/* Everything the dispatch routines and the player share, guarded by one spin lock. */
typedef struct SimState {
  KSPIN_LOCK lock;
  UCHAR status[KIV_STATUS_RECORD_SIZE];
  UCHAR statistics[KIV_STATISTICS_RECORD_SIZE];
  PFILE_OBJECT owner; /* the file object that holds the modem device, or NULL */
  KivSimReport seen;  /* counters and the last RTS request; records and faults are filled in on report */
  KivSimFaultState faults;
  LIST_ENTRY waiting; /* requests held unanswered, linked through Tail.Overlay.ListEntry */
} SimState;

extern SimState g_sim;
extern PDEVICE_OBJECT g_modemDevice;
extern PDEVICE_OBJECT g_controlDevice;

/* sim_state.c: caller holds g_sim.lock. */
void SimResetLocked(void);
BOOLEAN SimFieldOpIsValid(const KivSimFieldOp* op);
void SimApplyLocked(const KivSimFieldOp* op);

/* modem_device.c */
NTSTATUS SimModemDispatch(PDEVICE_OBJECT device, PIRP irp);
/* Answers every held request with STATUS_IO_TIMEOUT; the caller does not hold the lock. */
void SimReleaseWaiting(void);

/* control_device.c */
NTSTATUS SimControlDispatch(PDEVICE_OBJECT device, PIRP irp);

/* player.c */
NTSTATUS SimPlayerStart(void);
void SimPlayerStop(void);
/* Takes ownership of a validated scenario in nonpaged pool and starts it; frees the one it replaces. */
void SimPlayerPlay(PVOID scenario);
void SimPlayerHalt(void);
BOOLEAN SimScenarioIsValid(const UCHAR* data, ULONG length);
/* Fills the playback figures of a report; caller holds g_sim.lock. */
void SimPlayerReportLocked(KivSimReport* report);

NTSTATUS SimComplete(PIRP irp, NTSTATUS status, ULONG_PTR information);

#endif
