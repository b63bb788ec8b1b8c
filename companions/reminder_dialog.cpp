#include "companions/reminder_dialog.h"

#include <string>
#include <tuple>

#include "app/ui/dialog_layout.h"
#include "app/ui/framework/bitmap.h"
#include "companions/own_folder.h"
#include "companions/resources/resource.h"

namespace companions {

namespace {

// Where the picture leaves room for the buttons, and the strip it is dragged
// by, at 96 dpi.
constexpr POINT kNowAt = {28, 308};
constexpr POINT kLaterAt = {225, 308};
constexpr RECT kDragStrip = {5, 5, 438, 33};

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return {0, 0};
    return {info.bmWidth, info.bmHeight};
}

// Lumora.exe from this program's folder, on its own: not waited for, and
// with the default error mode whatever this process uses.
void StartWizard() {
    const std::string folder = OwnFolder();
    if (folder.empty()) return;
    const std::string path = folder + "Lumora.exe";
    std::string commandLine = "\"" + path + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_DEFAULT_ERROR_MODE,
                       nullptr, folder.c_str(), &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

}  // namespace

ReminderDialog::~ReminderDialog() {
    if (window_) DestroyWindow(window_);
    DeleteImages(now_);
    DeleteImages(later_);
    if (picture_) DeleteObject(picture_);
}

bool ReminderDialog::Show(HINSTANCE instance) {
    picture_ = LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_REMINDER));
    now_ = LoadImages(instance, "REMINDNOW");
    later_ = LoadImages(instance, "REMINDLATER");
    // The template names this class, so the reminder can be told apart from
    // the wizard's own "Lumora" dialogs.
    WNDCLASSA dialogClass{};
    dialogClass.lpfnWndProc = DefDlgProcA;
    dialogClass.cbWndExtra = DLGWINDOWEXTRA;
    dialogClass.hInstance = instance;
    dialogClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    dialogClass.lpszClassName = kReminderClass;
    if (!picture_ || !RegisterClassA(&dialogClass)) return false;
    if (!CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_REMINDER), nullptr, DialogProc,
                            reinterpret_cast<LPARAM>(this)))
        return false;
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    return true;
}

bool ReminderDialog::TakesMessage(MSG& message) { return window_ && IsDialogMessageA(window_, &message); }

INT_PTR CALLBACK ReminderDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<ReminderDialog*>(lParam);
        self->window_ = window;
        SetWindowLongPtrA(window, DWLP_USER, lParam);
    }
    auto* self = reinterpret_cast<ReminderDialog*>(GetWindowLongPtrA(window, DWLP_USER));
    if (!self) return FALSE;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, DWLP_USER, 0);
        self->window_ = nullptr;
        return FALSE;
    }
    return self->OnMessage(message, wParam, lParam);
}

INT_PTR ReminderDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog();
            return FALSE;  // the focus is set
        case WM_ERASEBKGND:
            PaintPicture(reinterpret_cast<HDC>(wParam));
            SetWindowLongPtrA(window_, DWLP_MSGRESULT, TRUE);
            return TRUE;
        case WM_DRAWITEM:
            OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_NCHITTEST:
            SetWindowLongPtrA(window_, DWLP_MSGRESULT, OnHitTest(lParam));
            return TRUE;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam));
            return TRUE;
        default:
            return FALSE;
    }
}

void ReminderDialog::OnInitDialog() {
    // The client area takes the picture's size at the screen's dpi whatever
    // the dialog units come to on this system, and the window is centred on
    // the work area.
    scaling_ = DisplayScaling(ScreenDpi());
    const SIZE picture = BitmapSize(picture_);
    RECT frame = {0, 0, scaling_.Scale(picture.cx), scaling_.Scale(picture.cy)};
    AdjustWindowRectEx(&frame, GetWindowLongA(window_, GWL_STYLE), FALSE, GetWindowLongA(window_, GWL_EXSTYLE));
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(window_, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);

    for (auto [id, at, images] : {std::tuple{IDOK, kNowAt, &now_}, std::tuple{IDCANCEL, kLaterAt, &later_}}) {
        const SIZE size = BitmapSize(images->up);
        if (size.cx)
            SetWindowPos(GetDlgItem(window_, id), nullptr, scaling_.Scale(at.x), scaling_.Scale(at.y),
                         scaling_.Scale(size.cx), scaling_.Scale(size.cy), SWP_NOZORDER);
    }
    dragStrip_ = Scaled(kDragStrip, scaling_);
    SetWindowTextA(window_, "Lumora");
    // As in the wizard's dialogs the focus rests on a hidden default button,
    // so no picture shows its focused look until the user tabs to it.
    SetFocus(GetDlgItem(window_, IDC_HIDDEN_DEFAULT));
}

void ReminderDialog::PaintPicture(HDC dc) {
    const SIZE size = BitmapSize(picture_);
    DrawBitmap(dc, {0, 0, size.cx, size.cy}, picture_, scaling_);
}

void ReminderDialog::OnDrawItem(const DRAWITEMSTRUCT& item) {
    const Images& images = item.CtlID == IDOK ? now_ : later_;
    HBITMAP image = images.up;
    if ((item.itemState & ODS_SELECTED) && images.down)
        image = images.down;
    else if ((item.itemState & ODS_FOCUS) && images.focus)
        image = images.focus;
    if (image) DrawBitmap(item.hDC, item.rcItem, image, scaling_);
}

LRESULT ReminderDialog::OnHitTest(LPARAM screenPoint) {
    POINT point = {static_cast<short>(LOWORD(screenPoint)), static_cast<short>(HIWORD(screenPoint))};
    ScreenToClient(window_, &point);
    return PtInRect(&dragStrip_, point) ? HTCAPTION : DefWindowProcA(window_, WM_NCHITTEST, 0, screenPoint);
}

void ReminderDialog::OnCommand(int id) {
    if (id == IDOK) StartWizard();
    if (id == IDOK || id == IDCANCEL) DestroyWindow(window_);
}

ReminderDialog::Images ReminderDialog::LoadImages(HINSTANCE instance, const char* caption) {
    const std::string name = caption;
    return {LoadBitmapA(instance, (name + "U").c_str()), LoadBitmapA(instance, (name + "D").c_str()),
            LoadBitmapA(instance, (name + "F").c_str())};
}

void ReminderDialog::DeleteImages(Images& images) {
    for (HBITMAP bitmap : {images.up, images.down, images.focus})
        if (bitmap) DeleteObject(bitmap);
    images = {};
}

}  // namespace companions
