// Stand-in for the sound set-up tool, a console program run in the
// installation directory. Its result is the driver configuration
// "drivers\dig.ini"; KORA_SETSOUND_WRITE=0 makes it end without one, as when
// the user leaves the real tool without choosing a card.
#include "standin_common.h"

#include <windows.h>
#include <stdio.h>

static const char kConfiguration[] = "[Digital]\r\n"
                                     "Device=Standard-Soundkarte\r\n"
                                     "Port=220\r\n"
                                     "IRQ=5\r\n"
                                     "DMA=1\r\n";

int main() {
    RecordStart("setsound");
    if (EnvString("KORA_SETSOUND_WRITE", "1") == "0") {
        printf("Sound: keine Auswahl, nichts gespeichert.\n");
        return 0;
    }
    CreateDirectoryA("drivers", nullptr);
    if (!WriteFileText("drivers\\dig.ini", kConfiguration)) {
        printf("Sound: drivers\\dig.ini kann nicht geschrieben werden.\n");
        return 1;
    }
    printf("Sound: drivers\\dig.ini gespeichert.\n");
    return 0;
}
