#pragma once

#include <gdcmAttribute.h>
#include <gdcmImageChangeTransferSyntax.h>
#include <gdcmImageWriter.h>
#include <gdcmTrace.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

// Writes test DICOM files with GDCM: grey of 8 or 16 bits, signed or not,
// or 8-bit RGB, any frame count, optionally compressed, with the rescale,
// window and pixel spacing asked for.
struct DicomLayout {
    int width = 19;
    int height = 11;
    int frames = 1;
    gdcm::PixelFormat format = gdcm::PixelFormat::UINT16;
    gdcm::PhotometricInterpretation::PIType photometric = gdcm::PhotometricInterpretation::MONOCHROME2;
    gdcm::TransferSyntax::TSType syntax = gdcm::TransferSyntax::ExplicitVRLittleEndian;
    double slope = 1.0;
    double intercept = 0.0;
    bool window = false;
    double centre = 0.0;
    double width_ = 0.0;
    double spacingRow = 0.0; // 0: no pixel spacing
    double spacingColumn = 0.0;
};

// stored(frame, x, y, channel) is the stored (not rescaled) value.
using StoredAt = std::function<int(int frame, int x, int y, int channel)>;

// A decimal string element of group 0x0028, padded to even length.
inline gdcm::DataElement decimalString(std::uint16_t element, const std::string& value)
{
    std::string text = value;
    if (text.size() % 2)
        text += ' ';
    gdcm::DataElement de(gdcm::Tag(0x0028, element));
    de.SetVR(gdcm::VR::DS);
    de.SetByteValue(text.data(), std::uint32_t(text.size()));
    return de;
}

inline bool writeDicom(const std::string& path, const DicomLayout& s, const StoredAt& stored)
{
    gdcm::Trace::WarningOff();
    gdcm::ImageWriter writer;
    gdcm::Image& image = writer.GetImage();
    image.SetNumberOfDimensions(s.frames > 1 ? 3 : 2);
    image.SetDimension(0, unsigned(s.width));
    image.SetDimension(1, unsigned(s.height));
    if (s.frames > 1)
        image.SetDimension(2, unsigned(s.frames));
    image.SetPixelFormat(s.format);
    image.SetPhotometricInterpretation(s.photometric);
    image.SetTransferSyntax(gdcm::TransferSyntax::ExplicitVRLittleEndian);
    image.SetSlope(s.slope);
    image.SetIntercept(s.intercept);
    const int samples = s.format.GetSamplesPerPixel();
    const int bytes = s.format.GetBitsAllocated() / 8;
    std::vector<char> pixels(std::size_t(s.width) * s.height * s.frames * samples * bytes);
    std::size_t at = 0;
    for (int f = 0; f < s.frames; ++f)
        for (int y = 0; y < s.height; ++y)
            for (int x = 0; x < s.width; ++x)
                for (int c = 0; c < samples; ++c, at += std::size_t(bytes)) {
                    const int v = stored(f, x, y, c);
                    if (bytes == 1)
                        pixels[at] = char(v);
                    else {
                        const std::uint16_t u = std::uint16_t(v);
                        std::memcpy(&pixels[at], &u, 2);
                    }
                }
    gdcm::DataElement data(gdcm::Tag(0x7fe0, 0x0010));
    data.SetByteValue(pixels.data(), std::uint32_t(pixels.size()));
    image.SetDataElement(data);

    gdcm::DataSet& set = writer.GetFile().GetDataSet();
    // CT image storage, whose modules carry rescale values and the pixel
    // spacing; secondary capture, which has neither, when no spacing is asked for.
    gdcm::Attribute<0x0008, 0x0016> sopClass;
    sopClass.SetValue(s.spacingRow > 0 || s.slope != 1.0 || s.intercept != 0.0 ? "1.2.840.10008.5.1.4.1.1.2"
                                                                               : "1.2.840.10008.5.1.4.1.1.7");
    set.Replace(sopClass.GetAsDataElement());
    if (s.window) {
        set.Replace(decimalString(0x1050, std::to_string(s.centre)));
        set.Replace(decimalString(0x1051, std::to_string(s.width_)));
    }
    if (s.spacingRow > 0) {
        image.SetSpacing(0, s.spacingColumn);
        image.SetSpacing(1, s.spacingRow);
    }
    if (s.syntax != gdcm::TransferSyntax::ExplicitVRLittleEndian) {
        gdcm::ImageChangeTransferSyntax change;
        change.SetTransferSyntax(s.syntax);
        change.SetInput(image);
        if (!change.Change())
            return false;
        writer.SetImage(change.GetOutput());
    }
    writer.SetFileName(path.c_str());
    return writer.Write();
}
