#pragma once

#include "pixorama/parlet/QEVImaParaRecords.h"

#include <bit>
#include <functional>
#include <vector>

namespace parlet {

// One record member and the value name it is read from. Exactly one of the
// member pointers is set; a float that is entered as a whole number is
// read as an integer.
template <class R>
struct Field {
    const wchar_t* name = nullptr;
    int R::*integer = nullptr;
    float R::*real = nullptr;
    CString R::*text = nullptr;
    bool wholeNumber = false;
};

template <class R>
using FieldList = std::vector<Field<R>>;

// The value a stored record means when a key is missing: raw data in the
// machine's own byte order; nothing for the other keys.
inline const wchar_t* UnstoredValue(const CString& name)
{
    if (name == L"bLittleEndian")
        return std::endian::native == std::endian::little ? L"true" : L"false";
    return nullptr;
}

// Where the readers take the values from (a window's GetRet family).
struct ValueSource {
    std::function<int(const CString&)> integer;
    std::function<float(const CString&)> real;
    std::function<CString(const CString&)> text;
};

template <class R>
void ReadFields(R& record, const FieldList<R>& fields, const ValueSource& source)
{
    for (const Field<R>& f : fields) {
        if (f.integer)
            record.*f.integer = source.integer(f.name);
        else if (f.real)
            record.*f.real = f.wholeNumber ? float(source.integer(f.name)) : source.real(f.name);
        else if (f.text)
            record.*f.text = source.text(f.name);
    }
}

// Copies only the members a dialog fills, so the caller's own members
// (file lists, progress controls, buffers) survive a confirmed dialog.
template <class R>
void CopyFields(R& to, const R& from, const FieldList<R>& fields)
{
    for (const Field<R>& f : fields) {
        if (f.integer)
            to.*f.integer = from.*f.integer;
        else if (f.real)
            to.*f.real = from.*f.real;
        else if (f.text)
            to.*f.text = from.*f.text;
    }
}

// The members a record's dialog fills, from its type's description
// (RecordItems); defined for every record a dialog type fills.
template <class R>
const FieldList<R>& FieldsOf(const R&);

// Matrix element names: "ImaMatrix" + n + row + column.
CString MatrixKey(int n, int row, int column);

} // namespace parlet
