#include "notice_window.h"

static const char kClassName[] = "KoraStandinNotice";
static const UINT_PTR kCloseTimer = 1;

static void PaintText(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const char *message = (const char *)GetWindowLongPtrA(window, GWLP_USERDATA);
    RECT area;
    GetClientRect(window, &area);
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    DrawTextA(dc, message ? message : "", -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EndPaint(window, &paint);
}

static LRESULT CALLBACK NoticeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: PaintText(window); return 0;
    case WM_TIMER: DestroyWindow(window); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static void RegisterNoticeClass(HINSTANCE instance) {
    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = NoticeProc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    window_class.lpszClassName = kClassName;
    RegisterClassA(&window_class);
}

HWND ShowNotice(const char *caption, const char *text) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterNoticeClass(instance);
    const int width = 420, height = 140;
    int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    HWND window = CreateWindowA(kClassName, caption, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, x, y,
                                width, height, nullptr, nullptr, instance, nullptr);
    if (!window)
        return nullptr;
    // The text must outlive this call: the window paints it later.
    SetWindowLongPtrA(window, GWLP_USERDATA, (LONG_PTR)text);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    return window;
}

void HoldNotice(HWND window, DWORD milliseconds) {
    if (!window)
        return;
    SetTimer(window, kCloseTimer, milliseconds, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
