/* The modem's control device: one holder at a time, the three requests, and the faults that bend them. */
#include "simdriver/driver/sim_driver.h"

static ULONG CodeIndex(ULONG code) {
  return code - KIV_IOCTL_GET_STATUS;
}

/* A user-mode pointer may be touched only inside the user part of the address space. Without
 * structured exception handling in this compiler, the range check is the whole protection: an
 * unmapped page inside that range would still fault. */
static BOOLEAN UserRangeIsValid(PIRP irp, const void* p, ULONG length) {
  ULONG_PTR start = (ULONG_PTR)p;
  if (p == NULL) return FALSE;
  if (irp->RequestorMode == KernelMode) return TRUE;
  if (start + length < start) return FALSE;
  return start + length <= (ULONG_PTR)MmUserProbeAddress;
}

/* The record reply of 0x801 and 0x802: the input word 1, then the record into the locked-down
 * output pages. */
static NTSTATUS ReadRecord(PIRP irp, PIO_STACK_LOCATION sp, const UCHAR* record, ULONG size,
                           ULONG_PTR* information) {
  const ULONG inLength = sp->Parameters.DeviceIoControl.InputBufferLength;
  const ULONG outLength = sp->Parameters.DeviceIoControl.OutputBufferLength;
  const UCHAR* in = irp->AssociatedIrp.SystemBuffer;
  UCHAR* out;
  if (inLength != 2 || in == NULL || (in[0] | (in[1] << 8)) != KIV_READ_REQUEST_WORD)
    return STATUS_INVALID_PARAMETER;
  if (outLength < size || irp->MdlAddress == NULL) return STATUS_BUFFER_TOO_SMALL;
  out = MmGetSystemAddressForMdl(irp->MdlAddress);
  if (out == NULL) return STATUS_INSUFFICIENT_RESOURCES;
  RtlCopyMemory(out, record, size);
  *information = size;
  return STATUS_SUCCESS;
}

/* 0x803, method NEITHER: the buffers are the caller's own addresses. The request is captured before
 * it is looked at, so the caller cannot change it half way. */
static NTSTATUS SetRtsPeriod(PIRP irp, PIO_STACK_LOCATION sp, ULONG_PTR* information) {
  const ULONG inLength = sp->Parameters.DeviceIoControl.InputBufferLength;
  const ULONG outLength = sp->Parameters.DeviceIoControl.OutputBufferLength;
  const void* in = sp->Parameters.DeviceIoControl.Type3InputBuffer;
  void* out = irp->UserBuffer;
  UCHAR request[KIV_RTS_REQUEST_SIZE];
  KIRQL irql;
  ULONG command, period;

  if (inLength != KIV_RTS_REQUEST_SIZE || !UserRangeIsValid(irp, in, inLength))
    return STATUS_INVALID_PARAMETER;
  if (outLength < KIV_RTS_REQUEST_SIZE) return STATUS_BUFFER_TOO_SMALL;
  if (!UserRangeIsValid(irp, out, KIV_RTS_REQUEST_SIZE)) return STATUS_INVALID_PARAMETER;
  RtlCopyMemory(request, in, sizeof request);

  command = request[KIV_RTS_COMMAND] | (request[KIV_RTS_COMMAND + 1] << 8);
  period = request[KIV_RTS_PERIOD] | (request[KIV_RTS_PERIOD + 1] << 8);
  KeAcquireSpinLock(&g_sim.lock, &irql);
  RtlCopyMemory(g_sim.seen.lastRtsRequest, request, sizeof request);
  g_sim.seen.rtsRequestSeen = 1;
  if (command == KIV_RTS_COMMAND_VALUE) {
    g_sim.statistics[KIVSIM_WORD_RTS_FREQUENCY] = (UCHAR)period;
    g_sim.statistics[KIVSIM_WORD_RTS_FREQUENCY + 1] = (UCHAR)(period >> 8);
  }
  KeReleaseSpinLock(&g_sim.lock, irql);
  if (command != KIV_RTS_COMMAND_VALUE) return STATUS_INVALID_PARAMETER;

  /* The reply echoes the request; the front panel discards it. */
  RtlCopyMemory(out, request, sizeof request);
  *information = KIV_RTS_REQUEST_SIZE;
  return STATUS_SUCCESS;
}

static VOID NTAPI CancelWaiting(PDEVICE_OBJECT device, PIRP irp) {
  KIRQL irql;
  UNREFERENCED_PARAMETER(device);
  IoReleaseCancelSpinLock(irp->CancelIrql);
  KeAcquireSpinLock(&g_sim.lock, &irql);
  RemoveEntryList(&irp->Tail.Overlay.ListEntry);
  KeReleaseSpinLock(&g_sim.lock, irql);
  SimComplete(irp, STATUS_CANCELLED, 0);
}

/* Caller holds the lock; returns STATUS_PENDING, or STATUS_CANCELLED if the caller gave up already. */
static NTSTATUS HoldLocked(PIRP irp) {
  IoSetCancelRoutine(irp, CancelWaiting);
  if (irp->Cancel && IoSetCancelRoutine(irp, NULL) != NULL) return STATUS_CANCELLED;
  IoMarkIrpPending(irp);
  InsertTailList(&g_sim.waiting, &irp->Tail.Overlay.ListEntry);
  return STATUS_PENDING;
}

void SimReleaseWaiting(void) {
  LIST_ENTRY answer;
  PLIST_ENTRY entry;
  KIRQL irql;
  InitializeListHead(&answer);
  KeAcquireSpinLock(&g_sim.lock, &irql);
  entry = g_sim.waiting.Flink;
  while (entry != &g_sim.waiting) {
    PIRP irp = CONTAINING_RECORD(entry, IRP, Tail.Overlay.ListEntry);
    entry = entry->Flink;
    /* One whose cancel routine is already running is left for it to take out. */
    if (IoSetCancelRoutine(irp, NULL) != NULL) {
      RemoveEntryList(&irp->Tail.Overlay.ListEntry);
      InsertTailList(&answer, &irp->Tail.Overlay.ListEntry);
    }
  }
  KeReleaseSpinLock(&g_sim.lock, irql);
  while (!IsListEmpty(&answer)) {
    PIRP irp = CONTAINING_RECORD(RemoveHeadList(&answer), IRP, Tail.Overlay.ListEntry);
    SimComplete(irp, STATUS_IO_TIMEOUT, 0);
  }
}

static NTSTATUS Create(PIRP irp, PIO_STACK_LOCATION sp) {
  NTSTATUS status = STATUS_SUCCESS;
  KIRQL irql;
  KeAcquireSpinLock(&g_sim.lock, &irql);
  if (g_sim.faults.refuseOpens > 0) {
    --g_sim.faults.refuseOpens;
    status = STATUS_ACCESS_DENIED;
  } else if (g_sim.owner != NULL) {
    status = STATUS_ACCESS_DENIED;
  } else {
    g_sim.owner = sp->FileObject;
    g_sim.seen.held = 1;
    g_sim.seen.holderProcessId = (ULONG)(ULONG_PTR)PsGetCurrentProcessId();
    ++g_sim.seen.opens;
  }
  if (!NT_SUCCESS(status)) ++g_sim.seen.refusedOpens;
  KeReleaseSpinLock(&g_sim.lock, irql);
  return SimComplete(irp, status, NT_SUCCESS(status) ? FILE_OPENED : 0);
}

static NTSTATUS Close(PIRP irp, PIO_STACK_LOCATION sp) {
  KIRQL irql;
  KeAcquireSpinLock(&g_sim.lock, &irql);
  /* A refused opener's handle closes too (the system may hand it out anyway); it frees nothing. */
  if (sp->FileObject == g_sim.owner) {
    g_sim.owner = NULL;
    g_sim.seen.held = 0;
    g_sim.seen.holderProcessId = 0;
    ++g_sim.seen.closes;
  }
  KeReleaseSpinLock(&g_sim.lock, irql);
  return SimComplete(irp, STATUS_SUCCESS, 0);
}

static NTSTATUS DeviceControl(PIRP irp, PIO_STACK_LOCATION sp) {
  const ULONG code = sp->Parameters.DeviceIoControl.IoControlCode;
  UCHAR record[KIV_STATISTICS_RECORD_SIZE];
  ULONG_PTR information = 0;
  NTSTATUS status;
  ULONG index;
  KIRQL irql;

  KeAcquireSpinLock(&g_sim.lock, &irql);
  if (sp->FileObject != g_sim.owner || g_sim.owner == NULL) {
    ++g_sim.seen.foreignRequests;
    KeReleaseSpinLock(&g_sim.lock, irql);
    return SimComplete(irp, STATUS_ACCESS_DENIED, 0);
  }
  if (code < KIV_IOCTL_GET_STATUS || code > KIV_IOCTL_SET_RTS_PERIOD) {
    ++g_sim.seen.unknownRequests;
    KeReleaseSpinLock(&g_sim.lock, irql);
    return SimComplete(irp, STATUS_INVALID_DEVICE_REQUEST, 0);
  }
  index = CodeIndex(code);
  ++g_sim.seen.requests[index];
  if (g_sim.faults.hold) {
    status = HoldLocked(irp);
    KeReleaseSpinLock(&g_sim.lock, irql);
    return status == STATUS_PENDING ? status : SimComplete(irp, status, 0);
  }
  if (g_sim.faults.failTimes[index] > 0) {
    --g_sim.faults.failTimes[index];
    status = (NTSTATUS)g_sim.faults.failStatus[index];
    KeReleaseSpinLock(&g_sim.lock, irql);
    return SimComplete(irp, status, 0);
  }
  /* A snapshot, so that the copy to the caller runs without the lock. */
  if (code == KIV_IOCTL_GET_STATUS) RtlCopyMemory(record, g_sim.status, KIV_STATUS_RECORD_SIZE);
  if (code == KIV_IOCTL_GET_STATISTICS) RtlCopyMemory(record, g_sim.statistics, KIV_STATISTICS_RECORD_SIZE);
  KeReleaseSpinLock(&g_sim.lock, irql);

  if (code == KIV_IOCTL_GET_STATUS) {
    status = ReadRecord(irp, sp, record, KIV_STATUS_RECORD_SIZE, &information);
  } else if (code == KIV_IOCTL_GET_STATISTICS) {
    status = ReadRecord(irp, sp, record, KIV_STATISTICS_RECORD_SIZE, &information);
  } else {
    status = SetRtsPeriod(irp, sp, &information);
  }

  if (NT_SUCCESS(status)) {
    KeAcquireSpinLock(&g_sim.lock, &irql);
    if (g_sim.faults.countTimes[index] > 0) {
      --g_sim.faults.countTimes[index];
      information = g_sim.faults.countValue[index];
    }
    KeReleaseSpinLock(&g_sim.lock, irql);
  }
  return SimComplete(irp, status, information);
}

NTSTATUS SimModemDispatch(PDEVICE_OBJECT device, PIRP irp) {
  PIO_STACK_LOCATION sp = IoGetCurrentIrpStackLocation(irp);
  UNREFERENCED_PARAMETER(device);
  switch (sp->MajorFunction) {
    case IRP_MJ_CREATE:
      return Create(irp, sp);
    case IRP_MJ_CLOSE:
      return Close(irp, sp);
    case IRP_MJ_CLEANUP:
      return SimComplete(irp, STATUS_SUCCESS, 0);
    case IRP_MJ_DEVICE_CONTROL:
      return DeviceControl(irp, sp);
    default:
      return SimComplete(irp, STATUS_INVALID_DEVICE_REQUEST, 0);
  }
}
