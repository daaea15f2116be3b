#include "pixorama/parlet/ParaFile.h"

#include "RecordFields.h"
#include "TextNumber.h"

#include "pixorama/platform/Profile.h"
#include "pixorama/platform/Strings.h"
#include "pixorama/platform/System.h"

#include <filesystem>

namespace {

CString pathOf(const wchar_t* section, const CString& file)
{
    if (!file.empty())
        return file;
    return plat::fromPath(plat::writableFolder() / "ImaPInitPara" / plat::toPath(CString(section) + L".ini"));
}

// The stored values of one section; a missing key keeps the member.
template <class R>
bool readRecord(R& record, const wchar_t* section, const CString& file)
{
    const CString path = pathOf(section, file);
    std::error_code error;
    if (!std::filesystem::is_regular_file(plat::toPath(path), error))
        return false;
    const CString absent = L"\x1F";
    for (const parlet::Field<R>& f : parlet::FieldsOf(record)) {
        const wchar_t* meant = parlet::UnstoredValue(f.name);
        const CString value = plat::getProfileString(section, f.name, meant != nullptr ? meant : absent, path);
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

// The save folder the browse button stores beside the record's values.
void readSaveDir(CString& dir, const wchar_t* section, const CString& file)
{
    const CString absent = L"\x1F";
    const CString value = plat::getProfileString(section, L"m_SaveDir", absent, pathOf(section, file));
    if (value != absent)
        dir = value;
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
    if (!readRecord(para, L"ImaPair", file))
        return false;
    readSaveDir(para.m_SaveDir, L"ImaPair", file);
    return true;
}

bool gReadImaParaFile(tagQEVImaRowDataPara& para, const CString& file)
{
    if (!readRecord(para, L"ImaRowDataPara", file))
        return false;
    readSaveDir(para.m_SaveDir, L"ImaRowDataPara", file);
    return true;
}

bool gReadImaParaFile(tagQEVImaVolumeRecPara& para, const CString& file)
{
    return readRecord(para, L"ImaRec", file);
}

bool gReadImaParaFile(tagQEVImaFanRecPara& para, const CString& file)
{
    return readRecord(para, L"ImaFanRec", file);
}
