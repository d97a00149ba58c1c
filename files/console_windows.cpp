// Standard input, output and error of the programs on Windows, the console they may show
// in, the interruption by Ctrl+C and the arguments as UTF-8: the console half of
// files/platform.h (platform_windows.cpp has the files).
#include "files/platform.h"
#include "files/platform_windows.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace files::platform {

namespace {

void (*g_cleanup)() = nullptr;

BOOL WINAPI cleanUpOnInterruption(DWORD)
{
    if (g_cleanup)
        g_cleanup();
    return FALSE; // the next handler, the system's, ends the program
}

// Standard output and error on a console: the console shows UTF-16, so the program's UTF-8
// goes to it through WriteConsoleW, not as bytes that the console would read in the ANSI
// code page. The descriptor becomes a pipe whose far end a thread hands to the console,
// so every write of the program (printf, fputs, fwrite) takes that way alike.
struct ConsoleRelay {
    HANDLE console = INVALID_HANDLE_VALUE;
    HANDLE readEnd = INVALID_HANDLE_VALUE;
    int fd = -1;
    std::thread thread;

    void run()
    {
        std::string pending; // the start of a character split between two reads
        char buf[4096];
        DWORD n = 0;
        while (ReadFile(readEnd, buf, sizeof buf, &n, nullptr) && n > 0) {
            pending.append(buf, n);
            std::size_t whole = pending.size();
            // a UTF-8 character not yet complete waits for the next read
            for (std::size_t back = 1; back <= 3 && back <= pending.size(); ++back) {
                const unsigned char c = static_cast<unsigned char>(pending[pending.size() - back]);
                if ((c & 0xC0) == 0x80)
                    continue;
                const std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
                if (length > back)
                    whole = pending.size() - back;
                break;
            }
            show(std::string_view(pending.data(), whole));
            pending.erase(0, whole);
        }
        show(pending);
    }

    void show(std::string_view text)
    {
        if (text.empty())
            return;
        const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        std::wstring w(n > 0 ? n : 0, L'\0');
        if (n > 0)
            MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), w.data(), n);
        DWORD written = 0;
        if (!WriteConsoleW(console, w.data(), static_cast<DWORD>(w.size()), &written, nullptr)) {
            // not a console after all (redirected meanwhile): the bytes as they are
            WriteFile(console, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        }
    }
};

ConsoleRelay g_relays[2];
bool g_standardErrorIsConsole = false;

void finishConsoleRelays()
{
    std::fflush(stdout);
    std::fflush(stderr);
    for (ConsoleRelay &relay : g_relays) {
        if (relay.fd < 0)
            continue;
        // closing the program's end lets the thread see the end of the pipe once it has
        // shown everything
        const int nul = ::_open("NUL", _O_WRONLY | _O_BINARY);
        if (nul >= 0) {
            ::_dup2(nul, relay.fd);
            ::_close(nul);
        }
        if (relay.thread.joinable())
            relay.thread.join();
        relay.fd = -1;
    }
}

void relayToConsole(int fd, DWORD which, ConsoleRelay &relay)
{
    const HANDLE standard = GetStdHandle(which);
    DWORD mode = 0;
    if (standard == INVALID_HANDLE_VALUE || standard == nullptr || !GetConsoleMode(standard, &mode))
        return;
    // a handle of the relay's own: the descriptor's handle, the same one, is closed when the
    // pipe takes the descriptor's place
    HANDLE console = INVALID_HANDLE_VALUE;
    if (!DuplicateHandle(GetCurrentProcess(), standard, GetCurrentProcess(), &console, 0, FALSE,
                         DUPLICATE_SAME_ACCESS)) {
        console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
        if (console == INVALID_HANDLE_VALUE)
            return;
    }
    HANDLE readEnd = INVALID_HANDLE_VALUE, writeEnd = INVALID_HANDLE_VALUE;
    if (!CreatePipe(&readEnd, &writeEnd, nullptr, 0)) {
        CloseHandle(console);
        return;
    }
    const int writeFd = ::_open_osfhandle(reinterpret_cast<intptr_t>(writeEnd), _O_WRONLY | _O_BINARY);
    if (writeFd < 0) {
        CloseHandle(readEnd);
        CloseHandle(writeEnd);
        CloseHandle(console);
        return;
    }
    relay.console = console;
    relay.readEnd = readEnd;
    relay.fd = fd;
    if (::_dup2(writeFd, fd) != 0) {
        ::_close(writeFd);
        CloseHandle(readEnd);
        CloseHandle(console);
        relay.fd = -1;
        return;
    }
    ::_close(writeFd);
    relay.thread = std::thread([&relay] { relay.run(); });
}

} // namespace

void callOnInterruption(void (*cleanup)())
{
    g_cleanup = cleanup;
    SetConsoleCtrlHandler(cleanUpOnInterruption, TRUE);
}

void reserveStandardStreams()
{
    for (int fd = 0; fd <= 2; ++fd) {
        if (::_get_osfhandle(fd) == -1 || ::_get_osfhandle(fd) == -2) {
            const int taken = ::_open("NUL", _O_RDONLY | _O_BINARY);
            if (taken >= 0 && taken != fd) {
                ::_dup2(taken, fd);
                ::_close(taken);
            }
        }
        // bytes as they are: no LF turned into CR LF on the way out
        ::_setmode(fd, _O_BINARY);
    }
    DWORD mode = 0;
    const HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    g_standardErrorIsConsole = err != INVALID_HANDLE_VALUE && err != nullptr && GetConsoleMode(err, &mode);
    static bool relayed = false;
    if (!relayed) {
        relayed = true;
        relayToConsole(1, STD_OUTPUT_HANDLE, g_relays[0]);
        relayToConsole(2, STD_ERROR_HANDLE, g_relays[1]);
        if (g_relays[0].fd >= 0 || g_relays[1].fd >= 0)
            std::atexit(finishConsoleRelays);
    }
}

SystemError writeToStandardOutput(std::string_view bytes)
{
    errno = 0;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size())
        return errorOfErrno(errno != 0 ? errno : EIO);
    return {};
}

SystemError flushStandardOutput()
{
    errno = 0;
    if (std::fflush(stdout) != 0)
        return errorOfErrno(errno != 0 ? errno : EIO);
    if (std::ferror(stdout))
        return errorOfErrno(EIO);
    return {};
}

bool standardErrorIsTerminal() { return g_standardErrorIsConsole; }

Arguments::Arguments(int argc, char **argv)
{
    int count = 0;
    wchar_t **wideArgs = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wideArgs) {
        for (int i = 0; i < argc; ++i)
            m_texts.emplace_back(argv[i]);
    } else {
        for (int i = 0; i < count; ++i)
            m_texts.push_back(utf8(wideArgs[i]));
        LocalFree(wideArgs);
    }
    for (std::string &text : m_texts)
        m_pointers.push_back(text.data());
    m_pointers.push_back(nullptr);
}

} // namespace files::platform
