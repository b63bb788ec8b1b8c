#include <windows.h>

#include "app/lumora_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    LumoraApp app;
    app.InitInstance();
    return 0;
}
