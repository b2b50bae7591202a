// Stand-in for the game: a window that says the demo runs and closes itself
// after KORA_GAME_SECONDS seconds.
#include "notice_window.h"
#include "standin_common.h"

#include <stdio.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RecordStart("kora");
    if (Quiet())
        return 0;
    int seconds = EnvInt("KORA_GAME_SECONDS", 5);
    if (seconds < 0)
        seconds = 0;
    static char text[128];
    snprintf(text, sizeof text, "Die Kora Manager DEMO l\xE4uft (Ende nach %d Sekunden).", seconds);
    HoldNotice(ShowNotice("Kora Manager DEMO", text), (DWORD)seconds * 1000);
    return 0;
}
