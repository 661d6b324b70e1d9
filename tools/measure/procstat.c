/* Prints, for every running process whose file name is the one given, its private bytes,
   handle count and CPU time as the platform reports them:
     procstat Quellin.exe  ->  "pid=… private=… handles=… cpu_ms=…"
   Exit status 1 when no such process runs. */
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <stdio.h>

static unsigned long long Milliseconds(FILETIME t) {
  ULARGE_INTEGER v;
  v.LowPart = t.dwLowDateTime;
  v.HighPart = t.dwHighDateTime;
  return v.QuadPart / 10000u;
}

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: procstat PROGRAM.exe\n");
    return 2;
  }
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 1;
  PROCESSENTRY32 entry;
  entry.dwSize = sizeof entry;
  int found = 0;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (lstrcmpiA(entry.szExeFile, argv[1]) != 0) continue;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, entry.th32ProcessID);
    if (process == NULL) continue;
    PROCESS_MEMORY_COUNTERS_EX memory;
    ZeroMemory(&memory, sizeof memory);
    memory.cb = sizeof memory;
    DWORD handles = 0;
    FILETIME created, exited, kernel, user;
    GetProcessMemoryInfo(process, (PROCESS_MEMORY_COUNTERS*)&memory, sizeof memory);
    GetProcessHandleCount(process, &handles);
    GetProcessTimes(process, &created, &exited, &kernel, &user);
    printf("pid=%lu private=%lu handles=%lu cpu_ms=%llu\n", (unsigned long)entry.th32ProcessID,
           (unsigned long)memory.PrivateUsage, (unsigned long)handles, Milliseconds(kernel) + Milliseconds(user));
    CloseHandle(process);
    found = 1;
  }
  CloseHandle(snapshot);
  return found ? 0 : 1;
}
