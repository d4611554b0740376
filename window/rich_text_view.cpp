#include "window/rich_text_view.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>

#include "services/win32_text.h"
#include "window/application.h"

namespace pellwise {

namespace {

constexpr DWORD kRichTextStyle = 0x50810004;  // WS_CHILD, WS_VISIBLE, WS_BORDER, WS_TABSTOP, ES_MULTILINE
constexpr LPARAM kEventMask = 0x042C0001;
constexpr LONG kMaxLinkChars = 1023;  // 1024 with the terminator

struct StreamSource {
    std::string_view Data;
    size_t Offset = 0;
};

DWORD CALLBACK ReadStream(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
    auto* source = reinterpret_cast<StreamSource*>(cookie);
    const size_t n = std::min(static_cast<size_t>(std::max(wanted, 0L)), source->Data.size() - source->Offset);
    std::memcpy(buffer, source->Data.data() + source->Offset, n);
    source->Offset += n;
    *given = static_cast<LONG>(n);
    return 0;
}

}  // namespace

RichTextView::RichTextView(Control& parent, DWORD options)
    : Control(parent.App(), &parent, parent.App().RichEditClass(), kRichTextStyle | options) {
    SetColorMessage(EM_SETBKGNDCOLOR);
    SetColor(kClWindow);
}

RichTextView::~RichTextView() { DestroyWindowNow(); }

void RichTextView::OnWindowCreated() {
    SendMessageW(HandleIfCreated(), EM_SETEVENTMASK, 0, kEventMask);
    SendMessageW(HandleIfCreated(), EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ResolveColor(BackgroundColor())));
    if (autoUrl_) SendMessageW(HandleIfCreated(), EM_AUTOURLDETECT, TRUE, 0);
}

void RichTextView::SetAutoUrlDetect(bool on) {
    autoUrl_ = on;
    if (HasWindow()) SendMessageW(HandleIfCreated(), EM_AUTOURLDETECT, on, 0);
    if (linkHook_) return;
    linkHook_ = true;
    AttachHook([this](Control&, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (message != kReflectedNotify) return std::nullopt;
        const auto* link = reinterpret_cast<const ENLINK*>(lParam);
        if (link->nmhdr.code != EN_LINK) return std::nullopt;
        const UINT mouse = link->msg;
        if (!onLink_ || (mouse != WM_MOUSEMOVE && mouse != WM_LBUTTONDOWN && mouse != WM_RBUTTONDOWN)) return 0;
        CHARRANGE range = link->chrg;
        range.cpMax = std::min(range.cpMax, range.cpMin + kMaxLinkChars);
        wchar_t buffer[kMaxLinkChars + 1] = {};
        TEXTRANGEW request = {range, buffer};
        SendMessageW(HandleIfCreated(), EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&request));
        onLink_(mouse, NarrowTo(buffer, kCodePage1251));
        return 0;
    });
}

void RichTextView::LoadRichText(std::string_view rtf) {
    StreamSource source{rtf};
    EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(&source), 0, &ReadStream};
    SendToControl(EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
}

RichTextView& CreateRichTextView(Control& parent, DWORD options) {
    return parent.Adopt(std::make_unique<RichTextView>(parent, options));
}

}  // namespace pellwise
