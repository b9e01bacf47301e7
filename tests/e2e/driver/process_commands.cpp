// Commands that start a program and watch or end its process by process id.
#include "commands.h"

#include <array>

namespace
{

// Handle of a process by id; the caller closes it.
HANDLE OpenById(const std::wstring& pidText, DWORD access)
{
    DWORD pid = static_cast<DWORD>(ParseNumber(pidText));
    HANDLE process = OpenProcess(access, FALSE, pid);
    if (!process)
        throw CommandError("no such process: " + std::to_string(pid));
    return process;
}

void Start(const Args& args, JsonReply& reply)
{
    std::wstring commandLine = args[0];
    std::wstring directory = OptionalArg(args, 1, L"");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &startup, &info))
        throw CommandError("CreateProcessW failed, error " + std::to_string(GetLastError()));
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    reply.Add("pid", static_cast<int64_t>(info.dwProcessId));
}

// Waits up to the given time; reports whether the process ended and its exit code.
void Wait(const Args& args, JsonReply& reply)
{
    HANDLE process = OpenById(args[0], SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION);
    DWORD timeout = static_cast<DWORD>(ParseNumber(OptionalArg(args, 1, L"0")));
    bool exited = WaitForSingleObject(process, timeout) == WAIT_OBJECT_0;
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    CloseHandle(process);
    reply.Add("exited", exited);
    if (exited)
        reply.Add("code", static_cast<int64_t>(code));
}

void Alive(const Args& args, JsonReply& reply)
{
    DWORD pid = static_cast<DWORD>(ParseNumber(args[0]));
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    bool alive = process && WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    if (process)
        CloseHandle(process);
    reply.Add("alive", alive);
}

void Kill(const Args& args, JsonReply& reply)
{
    HANDLE process = OpenById(args[0], PROCESS_TERMINATE | SYNCHRONIZE);
    bool killed = TerminateProcess(process, 1) && WaitForSingleObject(process, 5000) == WAIT_OBJECT_0;
    CloseHandle(process);
    reply.Add("killed", killed);
}

void Idle(const Args& args, JsonReply& reply)
{
    HANDLE process = OpenById(args[0], SYNCHRONIZE | PROCESS_QUERY_INFORMATION);
    DWORD timeout = static_cast<DWORD>(ParseNumber(OptionalArg(args, 1, L"5000")));
    DWORD result = WaitForInputIdle(process, timeout);
    CloseHandle(process);
    reply.Add("idle", result == 0);
}

const std::array kCommands = {
    Command{"start", "COMMANDLINE [DIRECTORY]  starts a program, gives its pid", 1, Start},
    Command{"wait", "PID [MS]  waits for the process to end; exited and exit code", 1, Wait},
    Command{"alive", "PID", 1, Alive},
    Command{"kill", "PID  TerminateProcess", 1, Kill},
    Command{"idle", "PID [MS]  WaitForInputIdle", 1, Idle},
};

} // namespace

std::span<const Command> ProcessCommands()
{
    return kCommands;
}
