#include "installer/gui/splash_picture.h"

#include <cstring>

#include "window/handles.h"

namespace pellwise {

namespace {

// A movable copy of the resource's bytes, as CreateStreamOnHGlobal wants it.
HGLOBAL CopyResource(HMODULE module, const char* name, const char* type, DWORD& size) {
    HRSRC resource = FindResourceA(module, name, type);
    if (!resource) return nullptr;
    size = SizeofResource(module, resource);
    HGLOBAL loaded = LoadResource(module, resource);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes || size == 0) return nullptr;
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    void* target = copy ? GlobalLock(copy) : nullptr;
    if (!target) {
        if (copy) GlobalFree(copy);
        return nullptr;
    }
    std::memcpy(target, bytes, size);
    GlobalUnlock(copy);
    return copy;
}

}  // namespace

SplashPicture::SplashPicture(IPicture* picture, HBITMAP bitmap) : picture_(picture), bitmap_(bitmap) {
    picture_->AddRef();
    BITMAP info = {};
    if (GetObjectW(bitmap_, sizeof(info), &info)) {
        width_ = info.bmWidth;
        height_ = info.bmHeight;
    }
}

SplashPicture::~SplashPicture() { picture_->Release(); }

std::unique_ptr<SplashPicture> LoadSplashPicture(HMODULE module, const char* name, const char* type) {
    DWORD size = 0;
    HGLOBAL bytes = CopyResource(module, name, type, size);
    if (!bytes) return nullptr;
    ComReference<IStream> stream;
    // The stream frees the block when it is released.
    if (FAILED(CreateStreamOnHGlobal(bytes, TRUE, stream.Out()))) {
        GlobalFree(bytes);
        return nullptr;
    }
    ComReference<IPicture> picture;
    if (FAILED(OleLoadPicture(stream.Get(), static_cast<LONG>(size), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(picture.Out()))))
        return nullptr;
    OLE_HANDLE handle = 0;
    if (FAILED(picture.Get()->get_Handle(&handle)) || handle == 0) return nullptr;
    return std::make_unique<SplashPicture>(picture.Get(), reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)));
}

void PaintSplashPicture(const SplashPicture* picture, HDC dc, DpiScale scale) {
    if (!picture) return;
    MemoryDc memory(dc);
    SelectScope select(memory.Get(), picture->Bitmap());
    const int w = picture->Width();
    const int h = picture->Height();
    if (scale.IsBase()) {
        BitBlt(dc, 0, 0, w, h, memory.Get(), 0, 0, SRCCOPY);
        return;
    }
    const int oldMode = SetStretchBltMode(dc, HALFTONE);
    POINT oldOrigin = {};
    SetBrushOrgEx(dc, 0, 0, &oldOrigin);  // HALFTONE wants it set after the mode
    StretchBlt(dc, 0, 0, scale(w), scale(h), memory.Get(), 0, 0, w, h, SRCCOPY);
    SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    SetStretchBltMode(dc, oldMode);
}

}  // namespace pellwise
