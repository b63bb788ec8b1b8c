#include "companions/reminder_dialog.h"

#include <string>
#include <tuple>

#include "app/ui/scaling/dialog_layout.h"
#include "app/ui/scaling/picture_dialog.h"
#include "app/ui/scaling/window_dpi.h"
#include "companions/own_folder.h"
#include "companions/resources/resource.h"
#include "ui/resources/window_icons.h"

namespace companions {

namespace {

// Where the picture leaves room for the buttons, at 96 dpi.
constexpr POINT kNowAt = {28, 308};
constexpr POINT kLaterAt = {225, 308};

void Delete(HBITMAP& bitmap) {
    if (bitmap) DeleteObject(bitmap);
    bitmap = nullptr;
}

// Lumora.exe on its own: not waited for.
void StartWizard() {
    if (HANDLE wizard = StartFromOwnFolder("Lumora.exe")) CloseHandle(wizard);
}

}  // namespace

ReminderDialog::~ReminderDialog() {
    if (window_) DestroyWindow(window_);
    DeleteImages(now_);
    DeleteImages(later_);
    Delete(picture_.bitmap);
}

bool ReminderDialog::Show(HINSTANCE instance) {
    picture_.bitmap = LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_REMINDER));
    LoadImages(instance, "REMINDNOW", now_);
    LoadImages(instance, "REMINDLATER", later_);
    // The template names this class, so the reminder can be told apart from
    // the wizard's own "Lumora" dialogs.
    WNDCLASSA dialogClass{};
    dialogClass.lpfnWndProc = DefDlgProcA;
    dialogClass.cbWndExtra = DLGWINDOWEXTRA;
    dialogClass.hInstance = instance;
    dialogClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    dialogClass.lpszClassName = kReminderClass;
    if (!picture_.bitmap || !RegisterClassA(&dialogClass)) return false;
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
    // The client area takes the picture's size at the reminder's dpi whatever
    // the dialog units come to on this system, and the window is centred on
    // the work area.
    const DisplayScaling scaling(WindowDpi(window_));
    picture_.shown.ScaleTo(picture_.bitmap, scaling);
    const SIZE picture = SizeOf(picture_.shown.Get());
    RECT frame = {0, 0, picture.cx, picture.cy};
    AdjustWindowRectEx(&frame, GetWindowLongA(window_, GWL_STYLE), FALSE, GetWindowLongA(window_, GWL_EXSTYLE));
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(window_, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);

    for (auto [id, at, images] : {std::tuple{IDOK, kNowAt, &now_}, std::tuple{IDCANCEL, kLaterAt, &later_}}) {
        for (Picture* image : {&images->up, &images->down, &images->focus}) image->shown.ScaleTo(image->bitmap, scaling);
        const SIZE size = SizeOf(images->up.bitmap);
        const LayoutRect r = scaling.Scale(LayoutRect{at.x, at.y, size.cx, size.cy});
        if (size.cx) SetWindowPos(GetDlgItem(window_, id), nullptr, r.x, r.y, r.width, r.height, SWP_NOZORDER);
    }
    dragStrip_ = ToRect(scaling.Scale(kPictureDialogDragStrip));
    SetWindowTextA(window_, "Lumora");
    SetWindowIcons(window_, scaling.dpi());
    // As in the wizard's dialogs the focus rests on a hidden default button,
    // so no picture shows its focused look until the user tabs to it.
    SetFocus(GetDlgItem(window_, IDC_HIDDEN_DEFAULT));
}

void ReminderDialog::PaintPicture(HDC dc) {
    HBITMAP picture = picture_.shown.Get();
    const SIZE size = SizeOf(picture);
    CopyBitmap(dc, {0, 0, size.cx, size.cy}, picture);
}

void ReminderDialog::OnDrawItem(const DRAWITEMSTRUCT& item) {
    const Images& images = item.CtlID == IDOK ? now_ : later_;
    const Picture* image = &images.up;
    if ((item.itemState & ODS_SELECTED) && images.down.bitmap)
        image = &images.down;
    else if ((item.itemState & ODS_FOCUS) && images.focus.bitmap)
        image = &images.focus;
    if (HBITMAP shown = image->shown.Get()) CopyBitmap(item.hDC, item.rcItem, shown);
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

void ReminderDialog::LoadImages(HINSTANCE instance, const char* caption, Images& images) {
    const std::string name = caption;
    images.up.bitmap = LoadBitmapA(instance, (name + "U").c_str());
    images.down.bitmap = LoadBitmapA(instance, (name + "D").c_str());
    images.focus.bitmap = LoadBitmapA(instance, (name + "F").c_str());
}

void ReminderDialog::DeleteImages(Images& images) {
    for (Picture* image : {&images.up, &images.down, &images.focus}) Delete(image->bitmap);
}

}  // namespace companions
