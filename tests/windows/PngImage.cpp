#include "tests/windows/PngImage.h"

#include <windows.h>
// After windows.h, which they need.
#include <objbase.h>
#include <wincodec.h>

#include <stdexcept>

#include "platform/windows/Wide.h"

namespace testing_support {
namespace {

template <class Interface>
struct Released {
    Interface* pointer = nullptr;
    ~Released() {
        if (pointer != nullptr) {
            pointer->Release();
        }
    }
    Released() = default;
    Released(const Released&) = delete;
    Released& operator=(const Released&) = delete;
};

void check(HRESULT result, const char* what, const std::string& path) {
    if (FAILED(result)) {
        throw std::runtime_error(path + ": " + what + " failed");
    }
}

}  // namespace

PngImage::PngImage(const std::string& path) {
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    struct Uninitialize {
        bool owed;
        ~Uninitialize() {
            if (owed) {
                ::CoUninitialize();
            }
        }
    } uninitialize{SUCCEEDED(com)};
    {
        Released<IWICImagingFactory> factory;
        check(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_PPV_ARGS(&factory.pointer)),
              "the imaging factory", path);
        Released<IWICBitmapDecoder> decoder;
        check(factory.pointer->CreateDecoderFromFilename(
                  platform::widen(path).c_str(), nullptr, GENERIC_READ,
                  WICDecodeMetadataCacheOnDemand, &decoder.pointer),
              "opening", path);
        Released<IWICBitmapFrameDecode> frame;
        check(decoder.pointer->GetFrame(0, &frame.pointer), "the first frame", path);
        Released<IWICFormatConverter> converter;
        check(factory.pointer->CreateFormatConverter(&converter.pointer), "a converter", path);
        // Straight blue, green, red, alpha: 0xAARRGGBB as a little-endian word.
        check(converter.pointer->Initialize(frame.pointer, GUID_WICPixelFormat32bppBGRA,
                                            WICBitmapDitherTypeNone, nullptr, 0,
                                            WICBitmapPaletteTypeCustom),
              "converting", path);
        UINT width = 0;
        UINT height = 0;
        check(converter.pointer->GetSize(&width, &height), "the size", path);
        pixels_.resize(static_cast<std::size_t>(width) * height);
        check(
            converter.pointer->CopyPixels(nullptr, width * 4, static_cast<UINT>(pixels_.size() * 4),
                                          reinterpret_cast<BYTE*>(pixels_.data())),
            "decoding", path);
        width_ = static_cast<int>(width);
        height_ = static_cast<int>(height);
    }
}

std::uint32_t PngImage::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        throw std::out_of_range("the point lies outside the picture");
    }
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
}

std::string picturePath(const std::string& name) {
    return std::string(SUMORA_PICTURES_DIR) + "/" + name + ".png";
}

}  // namespace testing_support
