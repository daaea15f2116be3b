#pragma once

#include <QImage>

#include <cstdint>
#include <string>
#include <vector>

// What a picture decoder hands back: the pixels in one of three forms, and
// what the file says about showing and measuring them. A decoder never
// touches a canvas.
struct DecodedPicture {
    enum class Kind {
        None,   // nothing decoded; error says why
        Grey,   // values, one float per pixel, top row first
        Colour, // colour, red, green and blue samples of colourBits each
        Picture, // picture, 8-bit as Qt decoded it: grey or palette
                 // indices are grey levels, anything else colour
    };

    Kind kind = Kind::None;
    int width = 0;
    int height = 0;
    std::vector<float> values;
    std::vector<std::uint16_t> colour;
    int colourBits = 8;
    QImage picture;

    // Refusal text for the user; empty when something was decoded.
    std::wstring error;
    // Things the user should know about a picture that was decoded.
    std::vector<std::wstring> warnings;

    // Millimetres per pixel; 0 when the file does not say.
    double pixelSpacing = 0.0;
    // Display window in the values' own units.
    bool hasWindow = false;
    double windowCentre = 0.0;
    double windowWidth = 0.0;
    // Low values are bright (DICOM MONOCHROME1).
    bool inverted = false;
    // Pages or frames in the file, of which one was decoded.
    int pages = 1;

    bool Ok() const { return kind != Kind::None; }

    static DecodedPicture Refused(std::wstring why)
    {
        DecodedPicture picture;
        picture.error = std::move(why);
        return picture;
    }
};
