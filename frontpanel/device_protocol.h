/* The control device's wire contract: its name, the request codes and the byte layout of the three
 * records. Plain C so that the simulated driver speaks exactly the same contract as the front panel. */
#ifndef KIV_FRONTPANEL_DEVICE_PROTOCOL_H
#define KIV_FRONTPANEL_DEVICE_PROTOCOL_H

/* Twelve characters; the trailing blank is part of the name the front panel opens. */
#define KIV_DEVICE_NAME "\\\\.\\KIVPORT "

/* Plain numbers, not composed from device type, function and method. */
#define KIV_IOCTL_GET_STATUS 0x801u
#define KIV_IOCTL_GET_STATISTICS 0x802u
#define KIV_IOCTL_SET_RTS_PERIOD 0x803u

/* The 16-bit input word of the two read requests. */
#define KIV_READ_REQUEST_WORD 1u

#define KIV_STATUS_RECORD_SIZE 26u
#define KIV_STATISTICS_RECORD_SIZE 34u
#define KIV_RTS_REQUEST_SIZE 10u

/* ModemStatusRecord: byte offsets, little-endian. */
#define KIV_STATUS_RESERVED0 0u         /* 16 bits */
#define KIV_STATUS_MODE 2u              /* 16 bits */
#define KIV_STATUS_SIGNALS 4u           /* 32 bits */
#define KIV_STATUS_SPEED 8u             /* 32 bits, signed */
#define KIV_STATUS_ERROR_CORRECTION 12u /* 32 bits */
#define KIV_STATUS_COMPRESSION 16u      /* 32 bits */
#define KIV_STATUS_CALL_STATE 20u       /* 16 bits */
#define KIV_STATUS_MODULATION 22u       /* 16 bits */
#define KIV_STATUS_RESERVED24 24u       /* 16 bits */

/* ModemStatisticsRecord: seventeen 16-bit words; the offset of word i is 2 * i. */
#define KIV_STATISTICS_WORD_COUNT 17u

/* RtsPeriodRequest: byte offsets, little-endian. */
#define KIV_RTS_RESERVED0 0u /* 32 bits, always 0 */
#define KIV_RTS_PERIOD 4u    /* 16 bits, milliseconds */
#define KIV_RTS_RESERVED6 6u /* 16 bits, always 0 */
#define KIV_RTS_COMMAND 8u   /* 16 bits, always 4 */
#define KIV_RTS_COMMAND_VALUE 4u

#endif
