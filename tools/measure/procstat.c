/* Prints, for every running process whose image name is the one given, its private bytes,
   handle count and CPU time as the platform's process list reports them:
     procstat Quellin.exe  ->  "pid=... private=... handles=... cpu_ms=..."
   The process list is used because Wine answers the per-process queries
   (GetProcessMemoryInfo, GetProcessHandleCount) for the calling process only.
   Exit status 1 when no such process runs. */
#include <windows.h>
#include <winternl.h>

#include <stdio.h>
#include <stdlib.h>
#include <wchar.h>

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: procstat PROGRAM.exe\n");
    return 2;
  }
  wchar_t wanted[MAX_PATH];
  if (MultiByteToWideChar(CP_ACP, 0, argv[1], -1, wanted, MAX_PATH) == 0) return 2;

  ULONG size = 1 << 16;
  unsigned char* buffer = NULL;
  NTSTATUS status;
  do {
    free(buffer);
    size *= 2;
    buffer = malloc(size);
    if (buffer == NULL) return 1;
    status = NtQuerySystemInformation(SystemProcessInformation, buffer, size, &size);
  } while (status == (NTSTATUS)0xC0000004L /* STATUS_INFO_LENGTH_MISMATCH */ && size < (1u << 26));
  if (status != 0) {
    free(buffer);
    return 1;
  }

  int found = 0;
  for (const unsigned char* p = buffer;;) {
    const SYSTEM_PROCESS_INFORMATION* info = (const SYSTEM_PROCESS_INFORMATION*)(const void*)p;
    const USHORT chars = info->ImageName.Length / sizeof(wchar_t);
    if (info->ImageName.Buffer != NULL && chars == wcslen(wanted) &&
        _wcsnicmp(info->ImageName.Buffer, wanted, chars) == 0) {
      const unsigned long long cpu100ns =
          (unsigned long long)info->UserTime.QuadPart + (unsigned long long)info->KernelTime.QuadPart;
      printf("pid=%lu private=%lu handles=%lu cpu_ms=%llu\n", (unsigned long)(ULONG_PTR)info->UniqueProcessId,
             (unsigned long)info->VirtualMemoryCounters.PagefileUsage, (unsigned long)info->HandleCount,
             cpu100ns / 10000u);
      found = 1;
    }
    if (info->NextEntryOffset == 0) break;
    p += info->NextEntryOffset;
  }
  free(buffer);
  return found ? 0 : 1;
}
