#include "pixorama/brovia/LayOutOne.h"

#include "pixorama/brovia/QEVDBLayOut.h"
#include "pixorama/brovia/QEVFileEngItem.h"
#include "pixorama/brovia/QEVWndParaRawIma.h"
#include "pixorama/platform/Strings.h"

#include <QPointer>

#include <cstring>

namespace {

// The process's layout: its settings exist from load, its window from
// gLayOutOneCreateForConcatAndRec until its parent destroys it.
struct LayOutOne {
    int type = 0;
    QPointer<QEVDBLayOut> window;
};

LayOutOne& instance()
{
    static LayOutOne one;
    return one;
}

std::vector<CString>* listOf(int list)
{
    static std::vector<CString> none[2];
    QEVDBLayOut* layout = instance().window.data();
    if (layout == nullptr || layout->FileEng() == nullptr) {
        none[list - 1].clear();
        return &none[list - 1];
    }
    return &layout->FileEng()->List(list);
}

bool copyPath(int list, char* buffer, int bufferLength, int index)
{
    const std::vector<CString>& paths = *listOf(list);
    if (buffer == nullptr || index < 0 || index >= int(paths.size()))
        return false;
    const std::string utf8 = plat::toUtf8(paths[index]);
    if (bufferLength <= 0 || utf8.size() >= std::size_t(bufferLength))
        return false;
    std::memcpy(buffer, utf8.c_str(), utf8.size() + 1);
    return true;
}

} // namespace

void gLayOutOneSetLayOutType(int type)
{
    instance().type = type;
}

int gLayOutOneCreateForConcatAndRec(plat::Wnd* parent, unsigned id)
{
    if (parent == nullptr)
        return 0;
    LayOutOne& one = instance();
    delete one.window.data();
    auto* layout = new QEVDBLayOut;
    layout->SetLayOutType(one.type);
    std::vector<CString> titles{L"全部文件", L"序列文件", L"参数组一"};
    if (one.type == 1)
        titles.push_back(L"参数组二");
    layout->SetSubWndInfo(titles);
    layout->SetMaxID();
    layout->Create(parent, id);
    one.window = layout;
    return 1;
}

void gLayOutOneSetClient(const plat::Rect& rect)
{
    if (QEVDBLayOut* layout = instance().window.data())
        layout->SetClientRect(rect);
}

std::vector<CString>* gLayOutOneGetFilesInOne()
{
    return listOf(1);
}

std::vector<CString>* gLayOutOneGetFilesInTwo()
{
    return listOf(2);
}

int gLayOutOneNrFileInOne()
{
    return int(listOf(1)->size());
}

int gLayOutOneNrFileInTwo()
{
    return int(listOf(2)->size());
}

bool gLayOutOneGetFileInOne(char* buffer, int index)
{
    return copyPath(1, buffer, gLayOutOnePathBufferSize, index);
}

bool gLayOutOneGetFileInTwo(char* buffer, int index)
{
    return copyPath(2, buffer, gLayOutOnePathBufferSize, index);
}

bool gLayOutOneGetFileInOne(char* buffer, int bufferLength, int index)
{
    return copyPath(1, buffer, bufferLength, index);
}

bool gLayOutOneGetFileInTwo(char* buffer, int bufferLength, int index)
{
    return copyPath(2, buffer, bufferLength, index);
}

void gLayOutOneSetRawHistogram(const std::vector<double>& bins)
{
    if (QEVDBLayOut* layout = instance().window.data())
        layout->ParaRaw()->SetHistogram(bins);
}

void gLayOutOneSetRawWindow(float low, float high)
{
    if (QEVDBLayOut* layout = instance().window.data())
        layout->ParaRaw()->SetWindow(low, high);
}

QEVDBLayOut* gLayOutOneGetLayOut()
{
    return instance().window.data();
}

int CreateCtrlOne(QEVDBLayOut** layout)
{
    if (layout == nullptr)
        return 0;
    *layout = new QEVDBLayOut;
    return 1;
}

int ReleaseCtrlOne(QEVDBLayOut** layout)
{
    if (layout == nullptr)
        return 0;
    delete *layout;
    *layout = nullptr;
    return 1;
}
