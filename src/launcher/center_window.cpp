#include "center_window.h"

void CenterWindowOver(HWND window, HWND reference) {
    RECT rect, ref;
    GetWindowRect(window, &rect);
    GetWindowRect(reference, &ref);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    int x = ref.left + ((ref.right - ref.left) - width) / 2;
    int y = ref.top + ((ref.bottom - ref.top) - height) / 2;
    MoveWindow(window, x, y, width, height, FALSE);
}
