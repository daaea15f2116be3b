#include "RecordFields.h"

#include <string>

namespace parlet {

CString MatrixKey(int n, int row, int column)
{
    return L"ImaMatrix" + std::to_wstring(n) + std::to_wstring(row) + std::to_wstring(column);
}

} // namespace parlet
