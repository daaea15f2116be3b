#include "pixorama/parlet/ParaFile.h"

#include "RecordFields.h"
#include "TextNumber.h"

#include "pixorama/platform/Profile.h"
#include "pixorama/platform/Strings.h"
#include "pixorama/platform/System.h"

#include <filesystem>

namespace {

// The stored values of one section; a missing key keeps the member.
template <class R>
bool readRecord(R& record, const wchar_t* section, const CString& file)
{
    const CString path = file.empty()
        ? plat::fromPath(plat::writableFolder() / "ImaPInitPara" / plat::toPath(CString(section) + L".ini"))
        : file;
    std::error_code error;
    if (!std::filesystem::is_regular_file(plat::toPath(path), error))
        return false;
    const CString absent = L"\x1F";
    for (const parlet::Field<R>& f : parlet::FieldsOf(record)) {
        const CString value = plat::getProfileString(section, f.name, absent, path);
        if (value == absent)
            continue;
        const int whole = value == L"true" ? 1 : value == L"false" ? 0 : parlet::LeadingInt(value);
        if (f.integer)
            record.*f.integer = whole;
        else if (f.real)
            record.*f.real = f.wholeNumber ? float(whole) : parlet::LeadingFloat(value);
        else if (f.text)
            record.*f.text = value;
    }
    return true;
}

} // namespace

bool gReadImaParaFile(tagQEVImaLoadPara& para, const CString& file)
{
    return readRecord(para, L"ImaLoad", file);
}

bool gReadImaParaFile(tagQEVImaROIRectPara& para, const CString& file)
{
    return readRecord(para, L"ImaROIRect", file);
}

bool gReadImaParaFile(tagQEVImaFormatPara& para, const CString& file)
{
    return readRecord(para, L"ImaFormat", file);
}

bool gReadImaParaFile(tagQEVImaPairPara& para, const CString& file)
{
    return readRecord(para, L"ImaPair", file);
}

bool gReadImaParaFile(tagQEVImaRowDataPara& para, const CString& file)
{
    return readRecord(para, L"ImaRowDataPara", file);
}
