// Stands in for the web browser in tests of the program's web links: the
// tests register it as the shell's handler of web pages and addresses, and it
// appends the page or address it was started with ("url_recorder.exe
// <address>") as one line to the file named by LUMORA_OPENED_LOG.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    char path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("LUMORA_OPENED_LOG", path, sizeof path);
    if (argc < 2 || length == 0 || length >= sizeof path) return 1;
    std::FILE* log = std::fopen(path, "a");
    if (!log) return 1;
    std::fprintf(log, "%s\n", argv[1]);
    std::fclose(log);
    return 0;
}
