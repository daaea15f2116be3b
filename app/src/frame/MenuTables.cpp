#include "pixorama/workbench/MenuTables.h"

#include <array>
#include <iterator>

namespace {

const tagMSGResource basicMenu[] = {
    {2224, L"打开图像"}, {2228, L"重新打开图像"}, {2230, L"创建图像"}, {2232, L"保存标记图像"},
    {2234, L"保存raw图像"}, {2236, L"保存当前图像"}, {2238, L"保存显示图"}, {2240, L"保存客户区"},
    {0, L"基本功能"},
};

const tagMSGResource viewMenu[] = {
    {2260, L"全屏"}, {2261, L"始终在上面"}, {2255, L"一个视图"}, {2256, L"两个视图"},
    {2257, L"四个视图"}, {2258, L"输入输出视图"},
    {0, L"视图"},
};

const tagMSGResource editMenu[] = {
    {2244, L"固化结果"}, {2375, L"剪切"}, {2376, L"水平镜像"}, {2377, L"上下镜像"}, {2378, L"负片"},
    {2384, L"缩放"}, {2242, L"转化为256阶位图"}, {2383, L"格式转化"}, {2379, L"序列图像相加"},
    {2380, L"序列图像剪切"},
    {0, L"图像编辑"},
};

const tagMSGResource selectionMenu[] = {
    {2274, L"矩形(按住shift画)"}, {2275, L"定制矩形"}, {2289, L"设置像素大小"}, {2288, L"距离测量"},
    {2290, L"角度测量"}, {2298, L"局部像素值"}, {2286, L"文字"}, {2302, L"删除"}, {2304, L"删除全部"},
    {0, L"图像选区"},
};

const tagMSGResource analysisMenu[] = {
    {2415, L"灰度均匀性"}, {2416, L"统计分析"},
    {0, L"图像分析"},
};

const tagMSGResource enhanceMenu[] = {
    {2396, L"直方图均衡"}, {2394, L"多尺度增强"}, {2399, L"亮度调整"}, {2403, L"局部阈值"},
    {0, L"单字节图像增强"},
};

const tagMSGResource artMenu[] = {
    {2334, L"祛痘"}, {2348, L"强力祛痘"}, {2335, L"白平衡"}, {2336, L"晕影"}, {2337, L"交叉冲印"},
    {2338, L"老照片"}, {2339, L"柔光"}, {2340, L"暗图像调整"}, {2341, L"钢笔画"}, {2342, L"底片"},
    {2344, L"冰冻"}, {2345, L"风格化"}, {2346, L"毛玻璃"}, {2343, L"灰度化"}, {2347, L"大眼"},
    {2349, L"颜色矩阵"},
    {0, L"图像艺术处理"},
};

const tagMSGResource segmentMenu[] = {
    {2524, L"开始"}, {2526, L"二值化"}, {2528, L"局部二值化"}, {2534, L"复杂局部二值化"},
    {2530, L"复杂分水岭"}, {2531, L"简单分水岭"}, {2532, L"序列图像分割"}, {2544, L"结束"},
    {0, L"图像分割"},
};

const tagMSGResource reconMenu[] = {
    {2454, L"载入DR数据"}, {2455, L"滤波DR数据"}, {2458, L"图像锥束重建"}, {2457, L"扇束投影仿真"},
    {2459, L"简单扇束重建"}, {2456, L"一般性扇束重建"}, {2460, L"扇束仿真"}, {2461, L"扇束重建"},
    {2462, L"大视场重建测试"}, {2464, L"锥束成像仿真"}, {2926, L"测试"},
    {0, L"图像重建实验"},
};

const tagMSGResource largeFovMenu[] = {
    {2475, L"图像拼接开始"}, {2476, L"图像拼接结束"}, {2478, L"投影图像加权"}, {2477, L"提取正弦图"},
    {0, L"大视场重建"},
};

const tagMSGResource volumeMenu[] = {
    {2494, L"载入体数据"}, {2497, L"删除体数据"}, {2498, L"切换联动模式"}, {2452, L"测试功能"},
    {2453, L"测试功能2"}, {2495, L"提取等值面"},
    {0, L"三维图像处理"},
};

const tagMSGResource scriptMenu[] = {
    {2626, L"画图"},
    {0, L"脚本示例"},
};

const tagMSGResource codingMenu[] = {
    {2440, L"静止图像压缩"}, {2441, L"视频图像压缩"},
    {0, L"图像编码"},
};

const tagMSGResource testMenu[] = {
    {2942, L"DR图像分析"}, {2928, L"模板测试"}, {2930, L"Ostu"}, {2932, L"Erosion"}, {2934, L"Dilation"},
    {2936, L"测试字符串"}, {2938, L"标记"}, {2940, L"边界"}, {2954, L"灰度图像测试"},
    {0, L"测试"},
};

const tagMSGResource imagingSimMenu[] = {
    {0, L"成像仿真"},
};

const tagMSGResource toolBar[] = {
    {2224, L"打开图像"}, {2228, L"重新打开"}, {2244, L"固化结果"}, {2255, L"单视图"}, {2256, L"双视图"},
    {2257, L"四视图"}, {2258, L"信息视图"}, {2230, L"创建图像"}, {2232, L"存标记图"}, {2234, L"存Raw图"},
    {2236, L"存当前图"}, {2238, L"存显示图"}, {2240, L"存客户区"},
    {0, L"测试"},
};

template <std::size_t N>
constexpr MenuTable table(const tagMSGResource (&records)[N])
{
    return {records, int(N) - 1};
}

} // namespace

std::span<const MenuTable> MainMenuTables()
{
    static const std::array<MenuTable, 10> tables = {
        table(basicMenu), table(viewMenu), table(editMenu), table(selectionMenu),
        table(analysisMenu), table(enhanceMenu), table(artMenu), table(segmentMenu),
        table(reconMenu), table(largeFovMenu),
    };
    return tables;
}

MenuTable ToolBarTable()
{
    return table(toolBar);
}

std::span<const MenuTable> OffMenuTables()
{
    static const std::array<MenuTable, 5> tables = {
        table(volumeMenu), table(scriptMenu),
        table(codingMenu), table(testMenu), table(imagingSimMenu),
    };
    return tables;
}
