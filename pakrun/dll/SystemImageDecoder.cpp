#include "SystemImageDecoder.h"

namespace {

// Spelt out here: older SDKs lack the WebP container's name.
constexpr GUID kContainerWebP = {0xe094b0e2, 0x67f2, 0x45b3, {0xb0, 0xea, 0x11, 0x53, 0x37, 0xca, 0x7c, 0xf3}};
constexpr GUID kImagingFactory = {0xcacaf262, 0x9370, 0x4615, {0xa1, 0x3b, 0x9f, 0x55, 0x39, 0xda, 0x4c, 0x0a}};
// 32 bits per pixel, B G R A in memory, not premultiplied: 0xAARRGGBB as a little-endian word.
constexpr GUID kPixelFormatBgra = {0x6fddc324, 0x4e03, 0x4bfe, {0xb1, 0x85, 0x3d, 0x77, 0x76, 0x8d, 0xc9, 0x0f}};

}  // namespace

CSystemImageDecoder::CSystemImageDecoder()
{
    if (!m_com.Usable()) return;
    if (FAILED(::CoCreateInstance(kImagingFactory, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IWICImagingFactory),
                                  reinterpret_cast<void**>(m_factory.Receive())))) {
        m_factory.Reset();
    }
}

bool CSystemImageDecoder::HasWebPDecoder() const
{
    CComRef<IWICBitmapDecoder> decoder;
    return m_factory && SUCCEEDED(m_factory->CreateDecoder(kContainerWebP, nullptr, decoder.Receive()));
}

bool CSystemImageDecoder::Decode(const std::vector<std::uint8_t>& bytes, DecodedImage& out) const
{
    out = DecodedImage();
    if (!m_factory || bytes.empty() || bytes.size() > MAXDWORD) return false;
    CComRef<IWICStream> stream;
    CComRef<IWICBitmapDecoder> decoder;
    CComRef<IWICBitmapFrameDecode> frame;
    CComRef<IWICFormatConverter> converter;
    UINT width = 0, height = 0;
    if (FAILED(m_factory->CreateStream(stream.Receive())) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()), DWORD(bytes.size()))) ||
        FAILED(m_factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                                  decoder.Receive())) ||
        FAILED(decoder->GetFrame(0, frame.Receive())) || FAILED(m_factory->CreateFormatConverter(converter.Receive())) ||
        FAILED(converter->Initialize(frame.Get(), kPixelFormatBgra, WICBitmapDitherTypeNone, nullptr, 0,
                                     WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0 || width > kMaxSide ||
        height > kMaxSide) {
        return false;
    }
    std::vector<std::uint32_t> pixels(std::size_t(width) * height);
    if (FAILED(converter->CopyPixels(nullptr, width * 4, UINT(pixels.size() * 4), reinterpret_cast<BYTE*>(pixels.data())))) {
        return false;
    }
    out.width = int(width);
    out.height = int(height);
    out.pixels = std::move(pixels);
    return true;
}
