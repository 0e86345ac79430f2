/* The live records and the rules for changing them. */
#include "simdriver/driver/sim_driver.h"

SimState g_sim;

static void StoreLe16(UCHAR* p, ULONG v) {
  p[0] = (UCHAR)v;
  p[1] = (UCHAR)(v >> 8);
}

static ULONG LoadLe16(const UCHAR* p) {
  return (ULONG)p[0] | ((ULONG)p[1] << 8);
}

static void StoreLe32(UCHAR* p, ULONG v) {
  StoreLe16(p, v & 0xFFFF);
  StoreLe16(p + 2, v >> 16);
}

static ULONG LoadLe32(const UCHAR* p) {
  return LoadLe16(p) | (LoadLe16(p + 2) << 16);
}

void SimResetLocked(void) {
  UCHAR* s = g_sim.statistics;
  RtlZeroMemory(g_sim.status, sizeof g_sim.status);
  RtlZeroMemory(g_sim.statistics, sizeof g_sim.statistics);
  StoreLe16(g_sim.status + KIV_STATUS_MODE, KIVSIM_DEFAULT_MODE);
  StoreLe32(g_sim.status + KIV_STATUS_SIGNALS, KIVSIM_DEFAULT_SIGNALS);
  StoreLe16(s + KIVSIM_WORD_DTE_TX_SIZE, KIVSIM_DEFAULT_DTE_SIZE);
  StoreLe16(s + KIVSIM_WORD_DTE_RX_SIZE, KIVSIM_DEFAULT_DTE_SIZE);
  StoreLe16(s + KIVSIM_WORD_DCE_TX_SIZE, KIVSIM_DEFAULT_DCE_SIZE);
  StoreLe16(s + KIVSIM_WORD_DCE_RX_SIZE, KIVSIM_DEFAULT_DCE_SIZE);
  StoreLe16(s + KIVSIM_WORD_QIN_SIZE, KIVSIM_DEFAULT_QUEUE_SIZE);
  StoreLe16(s + KIVSIM_WORD_QOUT_SIZE, KIVSIM_DEFAULT_QUEUE_SIZE);
  StoreLe16(s + KIVSIM_WORD_RTS_FREQUENCY, KIVSIM_DEFAULT_RTS_FREQUENCY);

  /* The holder survives a reset: its handle is still open. */
  {
    ULONG held = g_sim.seen.held, pid = g_sim.seen.holderProcessId;
    RtlZeroMemory(&g_sim.seen, sizeof g_sim.seen);
    g_sim.seen.held = held;
    g_sim.seen.holderProcessId = pid;
  }
  RtlZeroMemory(&g_sim.faults, sizeof g_sim.faults);
}

BOOLEAN SimFieldOpIsValid(const KivSimFieldOp* op) {
  ULONG size;
  if (op->record == KIVSIM_RECORD_STATUS) {
    size = KIV_STATUS_RECORD_SIZE;
  } else if (op->record == KIVSIM_RECORD_STATISTICS) {
    size = KIV_STATISTICS_RECORD_SIZE;
  } else {
    return FALSE;
  }
  if (op->width != 2 && op->width != 4) return FALSE;
  if ((ULONG)op->offset + op->width > size) return FALSE;
  if (op->op >= KIVSIM_OP_COUNT) return FALSE;
  if (op->width == 2 && op->value > 0xFFFF) return FALSE;
  return TRUE;
}

void SimApplyLocked(const KivSimFieldOp* op) {
  UCHAR* p = (op->record == KIVSIM_RECORD_STATUS ? g_sim.status : g_sim.statistics) + op->offset;
  const ULONG max = op->width == 2 ? 0xFFFF : 0xFFFFFFFF;
  ULONG v = op->width == 2 ? LoadLe16(p) : LoadLe32(p);
  switch (op->op) {
    case KIVSIM_OP_SET:
      v = op->value;
      break;
    case KIVSIM_OP_OR:
      v |= op->value;
      break;
    case KIVSIM_OP_CLEAR:
      v &= ~op->value;
      break;
    case KIVSIM_OP_ADD:
      v = max - v < op->value ? max : v + op->value;
      break;
    case KIVSIM_OP_SUB:
      v = v < op->value ? 0 : v - op->value;
      break;
  }
  if (op->width == 2) {
    StoreLe16(p, v);
  } else {
    StoreLe32(p, v);
  }
}
