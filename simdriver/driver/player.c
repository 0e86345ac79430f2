/* Scenario playback on a system thread of its own, so that a scenario keeps playing after kivsim.exe
 * has ended: the thread sleeps until the next step is due or it is woken by a new scenario, a halt or
 * the unload. */
#include "simdriver/driver/sim_driver.h"

static PVOID g_thread; /* the thread object, referenced */
static KEVENT g_wake;
static BOOLEAN g_quit;

/* Guarded by g_sim.lock. */
static PVOID g_scenario;
static ULONG g_nextStep;
static ULONGLONG g_startTime; /* interrupt time, 100 ns units, of the scenario's time 0 */
static ULONG g_playedSteps;

static const KivSimScenarioHeader* Header(PVOID s) {
  return (const KivSimScenarioHeader*)s;
}
static const KivSimStep* Steps(PVOID s) {
  return (const KivSimStep*)((const UCHAR*)s + sizeof(KivSimScenarioHeader));
}
static const KivSimFieldOp* Ops(PVOID s) {
  return (const KivSimFieldOp*)(Steps(s) + Header(s)->stepCount);
}

BOOLEAN SimScenarioIsValid(const UCHAR* data, ULONG length) {
  KivSimScenarioHeader h;
  KivSimStep step;
  KivSimFieldOp op;
  ULONG i, lastAt = 0;
  if (data == NULL || length < sizeof h) return FALSE;
  RtlCopyMemory(&h, data, sizeof h);
  if (h.stepCount == 0 || h.stepCount > KIVSIM_MAX_STEPS || h.opCount > KIVSIM_MAX_OPS || h.reserved != 0)
    return FALSE;
  /* The counts are small enough that the product cannot overflow. */
  if (length != sizeof h + h.stepCount * sizeof step + h.opCount * sizeof op) return FALSE;
  for (i = 0; i < h.stepCount; ++i) {
    RtlCopyMemory(&step, data + sizeof h + i * sizeof step, sizeof step);
    if (step.atMs < lastAt) return FALSE;
    if (step.firstOp > h.opCount || step.opCount > h.opCount - step.firstOp) return FALSE;
    lastAt = step.atMs;
  }
  for (i = 0; i < h.opCount; ++i) {
    RtlCopyMemory(&op, data + sizeof h + h.stepCount * sizeof step + i * sizeof op, sizeof op);
    if (!SimFieldOpIsValid(&op)) return FALSE;
  }
  /* A loop shorter than this would keep the thread busy. */
  if (h.loopAtMs != KIVSIM_NO_LOOP && (h.loopAtMs < lastAt || h.loopAtMs < 100)) return FALSE;
  return TRUE;
}

static ULONGLONG Now(void) {
  return KeQueryInterruptTime();
}

/* Applies what is due; returns the time to sleep, in 100 ns units, or 0 for "until woken". */
static LONGLONG RunDueStepsLocked(void) {
  const KivSimScenarioHeader* h;
  ULONGLONG elapsedMs;
  if (g_scenario == NULL) return 0;
  h = Header(g_scenario);
  for (;;) {
    elapsedMs = (Now() - g_startTime) / 10000;
    while (g_nextStep < h->stepCount && Steps(g_scenario)[g_nextStep].atMs <= elapsedMs) {
      const KivSimStep* step = &Steps(g_scenario)[g_nextStep];
      ULONG i;
      for (i = 0; i < step->opCount; ++i) SimApplyLocked(&Ops(g_scenario)[step->firstOp + i]);
      ++g_nextStep;
      ++g_playedSteps;
    }
    if (g_nextStep < h->stepCount) {
      return ((LONGLONG)Steps(g_scenario)[g_nextStep].atMs - (LONGLONG)elapsedMs) * 10000;
    }
    if (h->loopAtMs == KIVSIM_NO_LOOP) {
      /* Played out: the records keep the last step's values. */
      ExFreePool(g_scenario);
      g_scenario = NULL;
      return 0;
    }
    if (elapsedMs < h->loopAtMs) return ((LONGLONG)h->loopAtMs - (LONGLONG)elapsedMs) * 10000;
    g_startTime += (ULONGLONG)h->loopAtMs * 10000;
    g_nextStep = 0;
  }
}

static VOID NTAPI PlayerThread(PVOID context) {
  UNREFERENCED_PARAMETER(context);
  for (;;) {
    LARGE_INTEGER timeout;
    LONGLONG wait;
    KIRQL irql;
    KeAcquireSpinLock(&g_sim.lock, &irql);
    wait = RunDueStepsLocked();
    KeReleaseSpinLock(&g_sim.lock, irql);
    timeout.QuadPart = -wait;
    KeWaitForSingleObject(&g_wake, Executive, KernelMode, FALSE, wait > 0 ? &timeout : NULL);
    if (g_quit) break;
  }
  PsTerminateSystemThread(STATUS_SUCCESS);
}

NTSTATUS SimPlayerStart(void) {
  KeInitializeEvent(&g_wake, SynchronizationEvent, FALSE);
  HANDLE handle;
  NTSTATUS status;
  g_quit = FALSE;
  status = PsCreateSystemThread(&handle, THREAD_ALL_ACCESS, NULL, NULL, NULL, PlayerThread, NULL);
  if (!NT_SUCCESS(status)) return status;
  status = ObReferenceObjectByHandle(handle, SYNCHRONIZE, NULL, KernelMode, &g_thread, NULL);
  ZwClose(handle);
  if (!NT_SUCCESS(status)) {
    /* Without the object the unload could not wait for the thread: stop it now. */
    g_quit = TRUE;
    KeSetEvent(&g_wake, IO_NO_INCREMENT, FALSE);
  }
  return status;
}

void SimPlayerStop(void) {
  SimPlayerHalt();
  g_quit = TRUE;
  KeSetEvent(&g_wake, IO_NO_INCREMENT, FALSE);
  KeWaitForSingleObject(g_thread, Executive, KernelMode, FALSE, NULL);
  ObDereferenceObject(g_thread);
}

static void Swap(PVOID scenario) {
  PVOID old;
  KIRQL irql;
  KeAcquireSpinLock(&g_sim.lock, &irql);
  old = g_scenario;
  g_scenario = scenario;
  g_nextStep = 0;
  g_playedSteps = 0;
  g_startTime = Now();
  KeReleaseSpinLock(&g_sim.lock, irql);
  if (old != NULL) ExFreePool(old);
  KeSetEvent(&g_wake, IO_NO_INCREMENT, FALSE);
}

void SimPlayerPlay(PVOID scenario) {
  Swap(scenario);
}

void SimPlayerHalt(void) {
  Swap(NULL);
}

void SimPlayerReportLocked(KivSimReport* report) {
  report->playing = g_scenario != NULL;
  report->playedSteps = g_playedSteps;
}
