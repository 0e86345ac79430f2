/* Loading and unloading the simulated modem: the modem's control device with its DOS name, the
 * simulator's control device beside it, and the playback thread. */
#include "simdriver/driver/sim_driver.h"

PDEVICE_OBJECT g_modemDevice;
PDEVICE_OBJECT g_controlDevice;

static const WCHAR kModemDeviceName[] = L"\\Device\\KivPort";
static const WCHAR kModemLinkName[] = L"\\DosDevices\\KIVPORT";
static const WCHAR kControlDeviceName[] = L"\\Device\\KivSim";
static const WCHAR kControlLinkName[] = L"\\DosDevices\\KIVSIM";

NTSTATUS SimComplete(PIRP irp, NTSTATUS status, ULONG_PTR information) {
  irp->IoStatus.Status = status;
  irp->IoStatus.Information = information;
  IoCompleteRequest(irp, IO_NO_INCREMENT);
  return status;
}

static NTSTATUS NTAPI Dispatch(PDEVICE_OBJECT device, PIRP irp) {
  if (device == g_modemDevice) return SimModemDispatch(device, irp);
  return SimControlDispatch(device, irp);
}

static NTSTATUS CreateNamedDevice(PDRIVER_OBJECT driver, const WCHAR* deviceName, const WCHAR* linkName,
                                  BOOLEAN exclusive, PDEVICE_OBJECT* device) {
  UNICODE_STRING name, link;
  NTSTATUS status;
  RtlInitUnicodeString(&name, deviceName);
  RtlInitUnicodeString(&link, linkName);
  status = IoCreateDevice(driver, 0, &name, FILE_DEVICE_UNKNOWN, 0, exclusive, device);
  if (!NT_SUCCESS(status)) return status;
  status = IoCreateSymbolicLink(&link, &name);
  if (!NT_SUCCESS(status)) {
    IoDeleteDevice(*device);
    *device = NULL;
  }
  return status;
}

static void DeleteNamedDevice(const WCHAR* linkName, PDEVICE_OBJECT* device) {
  UNICODE_STRING link;
  if (*device == NULL) return;
  RtlInitUnicodeString(&link, linkName);
  IoDeleteSymbolicLink(&link);
  IoDeleteDevice(*device);
  *device = NULL;
}

static VOID NTAPI DriverUnload(PDRIVER_OBJECT driver) {
  UNREFERENCED_PARAMETER(driver);
  SimPlayerStop();
  /* Nothing may stay pending once the code is gone. */
  SimReleaseWaiting();
  DeleteNamedDevice(kControlLinkName, &g_controlDevice);
  DeleteNamedDevice(kModemLinkName, &g_modemDevice);
}

NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath) {
  NTSTATUS status;
  UNREFERENCED_PARAMETER(registryPath);

  KeInitializeSpinLock(&g_sim.lock);
  InitializeListHead(&g_sim.waiting);
  g_sim.owner = NULL;
  SimResetLocked(); /* nothing else runs yet */

  /* Exclusive in the system's eyes too; the create routine enforces it itself as well. */
  status = CreateNamedDevice(driver, kModemDeviceName, kModemLinkName, TRUE, &g_modemDevice);
  if (!NT_SUCCESS(status)) return status;
  status = CreateNamedDevice(driver, kControlDeviceName, kControlLinkName, FALSE, &g_controlDevice);
  if (!NT_SUCCESS(status)) {
    DeleteNamedDevice(kModemLinkName, &g_modemDevice);
    return status;
  }
  status = SimPlayerStart();
  if (!NT_SUCCESS(status)) {
    DeleteNamedDevice(kControlLinkName, &g_controlDevice);
    DeleteNamedDevice(kModemLinkName, &g_modemDevice);
    return status;
  }

  driver->MajorFunction[IRP_MJ_CREATE] = Dispatch;
  driver->MajorFunction[IRP_MJ_CLOSE] = Dispatch;
  driver->MajorFunction[IRP_MJ_CLEANUP] = Dispatch;
  driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = Dispatch;
  driver->DriverUnload = DriverUnload;
  return STATUS_SUCCESS;
}
