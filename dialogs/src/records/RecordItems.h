#pragma once

#include "ItemLayout.h"
#include "RecordFields.h"

#include <initializer_list>
#include <type_traits>

namespace parlet {

// Describes a parameter type once: every item names the record member it
// fills, so one description gives both the dialog's items (into a layout)
// and the record's field list (read, saved and copied by name). Either
// target may be absent.
template <class R>
class RecordItems {
public:
    RecordItems(ItemLayout* layout, FieldList<R>* fields) : layout(layout), fields(fields) {}

    template <class T>
    void Edit(const wchar_t* label, const wchar_t* key, T R::*member)
    {
        if (layout)
            layout->Edit(label, key);
        Add(key, member);
    }
    // A run of edits: label, key, member, label, key, member, ...
    template <class T, class... More>
    void Edits(const wchar_t* label, const wchar_t* key, T R::*member, More... more)
    {
        Edit(label, key, member);
        if constexpr (sizeof...(more) > 0)
            Edits(more...);
    }
    // An edit whose float is entered as a whole number.
    void WholeNumber(const wchar_t* label, const wchar_t* key, float R::*member)
    {
        Edit(label, key, member);
        if (fields)
            fields->back().wholeNumber = true;
    }
    template <class T>
    void Combo(const wchar_t* label, const wchar_t* key, T R::*member, std::initializer_list<const wchar_t*> options)
    {
        if (layout)
            layout->Combo(label, key, options);
        Add(key, member);
    }
    template <class T>
    void Check(const wchar_t* label, const wchar_t* key, T R::*member, const wchar_t* caption)
    {
        if (layout)
            layout->Check(label, key, caption);
        Add(key, member);
    }
    template <class T>
    void Browse(const wchar_t* caption, int id, const wchar_t* key, T R::*member)
    {
        Browse(caption, id, key);
        Add(key, member);
    }
    // A folder chooser the record does not keep.
    void Browse(const wchar_t* caption, int id, const wchar_t* key)
    {
        if (layout)
            layout->Browse(caption, id, key);
    }
    void Heading(const wchar_t* text)
    {
        if (layout)
            layout->Heading(text);
    }
    void Button(const wchar_t* caption, int id)
    {
        if (layout)
            layout->Button(caption, id);
    }

private:
    template <class T>
    void Add(const wchar_t* key, T R::*member)
    {
        if (!fields)
            return;
        Field<R> f;
        f.name = key;
        if constexpr (std::is_same_v<T, int>)
            f.integer = member;
        else if constexpr (std::is_same_v<T, float>)
            f.real = member;
        else
            f.text = member;
        fields->push_back(f);
    }

    ItemLayout* layout;
    FieldList<R>* fields;
};

// The description of each record's type (items in dialog order).
void Describe(RecordItems<tagQEVImaLoadPara>& items);
void Describe(RecordItems<tagQEVImaROICirclePara>& items);
void Describe(RecordItems<tagQEVImaROIRectPara>& items);
void Describe(RecordItems<tagQEVImaFormatPara>& items);
void Describe(RecordItems<tagQEVImaPairPara>& items);
void Describe(RecordItems<tagQEVImaVolumeRecPara>& items);
void Describe(RecordItems<tagQEVImaFanSimPara>& items);
void Describe(RecordItems<tagQEVImaSipralSimPara>& items);
void Describe(RecordItems<tagQEVImaRowDataPara>& items);
void Describe(RecordItems<tagQEVImaWeightAndExtentPara>& items);
void Describe(RecordItems<tagQEVImaFanRecPara>& items);
void Describe(RecordItems<tagQEVImaGeneralPara>& items);
void Describe(RecordItems<tagQEVImaDimPara>& items);
void Describe(RecordItems<tagQEVTwoPointsPara>& items);

// A member's key is its own name: spelled once, both stay equal.
#define PARLET_KEY(member) L"" #member, &R::member

} // namespace parlet
