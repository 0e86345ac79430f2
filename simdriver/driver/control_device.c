/* The simulator's control channel: buffered requests from kivsim.exe, each checked whole before it
 * changes anything. */
#include "simdriver/driver/sim_driver.h"

static BOOLEAN IsModemCode(ULONG code) {
  return code >= KIV_IOCTL_GET_STATUS && code <= KIV_IOCTL_SET_RTS_PERIOD;
}

static NTSTATUS Apply(const UCHAR* in, ULONG length) {
  const ULONG count = length / sizeof(KivSimFieldOp);
  KivSimFieldOp op;
  KIRQL irql;
  ULONG i;
  if (length == 0 || length % sizeof(KivSimFieldOp) != 0 || count > KIVSIM_MAX_OPS)
    return STATUS_INVALID_PARAMETER;
  for (i = 0; i < count; ++i) {
    RtlCopyMemory(&op, in + i * sizeof op, sizeof op);
    if (!SimFieldOpIsValid(&op)) return STATUS_INVALID_PARAMETER;
  }
  KeAcquireSpinLock(&g_sim.lock, &irql);
  for (i = 0; i < count; ++i) {
    RtlCopyMemory(&op, in + i * sizeof op, sizeof op);
    SimApplyLocked(&op);
  }
  KeReleaseSpinLock(&g_sim.lock, irql);
  return STATUS_SUCCESS;
}

static NTSTATUS Fault(const UCHAR* in, ULONG length) {
  KivSimFault f;
  ULONG index;
  KIRQL irql;
  if (length != sizeof f) return STATUS_INVALID_PARAMETER;
  RtlCopyMemory(&f, in, sizeof f);
  if (f.kind >= KIVSIM_FAULT_KIND_COUNT) return STATUS_INVALID_PARAMETER;
  if (f.kind == KIVSIM_FAULT_FAIL || f.kind == KIVSIM_FAULT_BYTE_COUNT) {
    if (!IsModemCode(f.code)) return STATUS_INVALID_PARAMETER;
  }
  if (f.kind == KIVSIM_FAULT_FAIL && (f.value & 0xC0000000u) != 0xC0000000u) return STATUS_INVALID_PARAMETER;
  if (f.kind == KIVSIM_FAULT_BYTE_COUNT && f.value > 0xFFFF) return STATUS_INVALID_PARAMETER;
  index = f.code - KIV_IOCTL_GET_STATUS;

  KeAcquireSpinLock(&g_sim.lock, &irql);
  switch (f.kind) {
    case KIVSIM_FAULT_REFUSE_OPENS:
      g_sim.faults.refuseOpens = f.times;
      break;
    case KIVSIM_FAULT_FAIL:
      g_sim.faults.failTimes[index] = f.times;
      g_sim.faults.failStatus[index] = f.value;
      break;
    case KIVSIM_FAULT_BYTE_COUNT:
      g_sim.faults.countTimes[index] = f.times;
      g_sim.faults.countValue[index] = f.value;
      break;
    case KIVSIM_FAULT_HOLD:
      g_sim.faults.hold = 1;
      break;
    case KIVSIM_FAULT_CLEAR:
      RtlZeroMemory(&g_sim.faults, sizeof g_sim.faults);
      break;
  }
  KeReleaseSpinLock(&g_sim.lock, irql);
  if (f.kind == KIVSIM_FAULT_CLEAR) SimReleaseWaiting();
  return STATUS_SUCCESS;
}

static NTSTATUS Play(const UCHAR* in, ULONG length) {
  PVOID copy;
  if (!SimScenarioIsValid(in, length)) return STATUS_INVALID_PARAMETER;
  copy = ExAllocatePoolWithTag(NonPagedPool, length, KIVSIM_POOL_TAG);
  if (copy == NULL) return STATUS_INSUFFICIENT_RESOURCES;
  RtlCopyMemory(copy, in, length);
  SimPlayerPlay(copy);
  return STATUS_SUCCESS;
}

static NTSTATUS Report(UCHAR* out, ULONG length, ULONG_PTR* information) {
  KivSimReport report;
  PLIST_ENTRY entry;
  KIRQL irql;
  if (length < sizeof report) return STATUS_BUFFER_TOO_SMALL;
  KeAcquireSpinLock(&g_sim.lock, &irql);
  report = g_sim.seen;
  RtlCopyMemory(report.status, g_sim.status, sizeof report.status);
  RtlCopyMemory(report.statistics, g_sim.statistics, sizeof report.statistics);
  report.faults = g_sim.faults;
  report.waitingRequests = 0;
  for (entry = g_sim.waiting.Flink; entry != &g_sim.waiting; entry = entry->Flink) ++report.waitingRequests;
  SimPlayerReportLocked(&report);
  KeReleaseSpinLock(&g_sim.lock, irql);
  RtlCopyMemory(out, &report, sizeof report);
  *information = sizeof report;
  return STATUS_SUCCESS;
}

static NTSTATUS DeviceControl(PIRP irp, PIO_STACK_LOCATION sp) {
  const ULONG inLength = sp->Parameters.DeviceIoControl.InputBufferLength;
  const ULONG outLength = sp->Parameters.DeviceIoControl.OutputBufferLength;
  UCHAR* buffer = irp->AssociatedIrp.SystemBuffer;
  ULONG_PTR information = 0;
  NTSTATUS status;
  KIRQL irql;

  if ((inLength > 0 || outLength > 0) && buffer == NULL) return SimComplete(irp, STATUS_INVALID_PARAMETER, 0);
  switch (sp->Parameters.DeviceIoControl.IoControlCode) {
    case KIVSIM_IOCTL_APPLY:
      status = Apply(buffer, inLength);
      break;
    case KIVSIM_IOCTL_RESET:
      SimPlayerHalt();
      KeAcquireSpinLock(&g_sim.lock, &irql);
      SimResetLocked();
      KeReleaseSpinLock(&g_sim.lock, irql);
      SimReleaseWaiting();
      status = STATUS_SUCCESS;
      break;
    case KIVSIM_IOCTL_PLAY:
      status = Play(buffer, inLength);
      break;
    case KIVSIM_IOCTL_HALT:
      SimPlayerHalt();
      status = STATUS_SUCCESS;
      break;
    case KIVSIM_IOCTL_FAULT:
      status = Fault(buffer, inLength);
      break;
    case KIVSIM_IOCTL_REPORT:
      status = Report(buffer, outLength, &information);
      break;
    default:
      status = STATUS_INVALID_DEVICE_REQUEST;
      break;
  }
  return SimComplete(irp, status, information);
}

NTSTATUS SimControlDispatch(PDEVICE_OBJECT device, PIRP irp) {
  PIO_STACK_LOCATION sp = IoGetCurrentIrpStackLocation(irp);
  UNREFERENCED_PARAMETER(device);
  switch (sp->MajorFunction) {
    case IRP_MJ_CREATE:
    case IRP_MJ_CLOSE:
    case IRP_MJ_CLEANUP:
      return SimComplete(irp, STATUS_SUCCESS, 0);
    case IRP_MJ_DEVICE_CONTROL:
      return DeviceControl(irp, sp);
    default:
      return SimComplete(irp, STATUS_INVALID_DEVICE_REQUEST, 0);
  }
}
