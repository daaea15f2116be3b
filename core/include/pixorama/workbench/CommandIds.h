#pragma once

// Ids of the menu commands the code names, as the menu tables fix them.

// "基本功能"
constexpr int ID_OPEN = 2224;   // "打开图像"
constexpr int ID_REOPEN = 2228; // "重新打开图像"

// "视图"
constexpr int ID_FULL_SCREEN = 2260;   // "全屏"
constexpr int ID_ALWAYS_ON_TOP = 2261; // "始终在上面"

// "图像编辑"
constexpr int ID_CROP = 2375;           // "剪切"
constexpr int ID_SEQUENCE_ADD = 2379;   // "序列图像相加"
constexpr int ID_SEQUENCE_CUT = 2380;   // "序列图像剪切"
constexpr int ID_CONVERT_FORMAT = 2383; // "格式转化"
constexpr int ID_RESIZE = 2384;         // "缩放"

// "图像艺术处理"
constexpr int ID_VIGNETTE = 2336;      // "晕影"
constexpr int ID_FILM_NEGATIVE = 2342; // "底片"
constexpr int ID_BIG_EYE = 2347;       // "大眼"
constexpr int ID_COLOUR_MATRIX = 2349; // "颜色矩阵"

// "单字节图像增强"
constexpr int ID_PYRAMID = 2394;         // "多尺度增强"
constexpr int ID_EQUALISE = 2396;        // "直方图均衡"
constexpr int ID_BRIGHTNESS = 2399;      // "亮度调整"
constexpr int ID_LOCAL_THRESHOLD = 2403; // "局部阈值"

// "图像分析"
constexpr int ID_UNIFORMITY = 2415; // "灰度均匀性"
constexpr int ID_STATISTICS = 2416; // "统计分析"

// "图像重建实验"
constexpr int ID_RECON_LOAD = 2454;         // "载入DR数据"
constexpr int ID_RECON_FILTER = 2455;       // "滤波DR数据"
constexpr int ID_GENERAL_FAN = 2456;        // "一般性扇束重建"
constexpr int ID_FAN_PROJECTION = 2457;     // "扇束投影仿真"
constexpr int ID_CONE = 2458;               // "图像锥束重建"
constexpr int ID_SIMPLE_FAN = 2459;         // "简单扇束重建"
constexpr int ID_FAN_SIMULATION = 2460;     // "扇束仿真"
constexpr int ID_FAN = 2461;                // "扇束重建"
constexpr int ID_LARGE_FOV_TEST = 2462;     // "大视场重建测试"
constexpr int ID_CONE_SIMULATION = 2464;    // "锥束成像仿真"
constexpr int ID_RECON_ROUND_TRIP = 2926;   // "测试"

// "大视场重建"
constexpr int ID_STITCH_START = 2475;       // "图像拼接开始"
constexpr int ID_STITCH_END = 2476;         // "图像拼接结束"
constexpr int ID_SINOGRAM = 2477;           // "提取正弦图"
constexpr int ID_PROJECTION_WEIGHT = 2478;  // "投影图像加权"

// "图像分割"
constexpr int ID_BINARIZE = 2526;           // "二值化"
constexpr int ID_LOCAL_BINARIZE = 2528;     // "局部二值化"
constexpr int ID_COLOUR_WATERSHED = 2530;   // "复杂分水岭"
constexpr int ID_SIMPLE_WATERSHED = 2531;   // "简单分水岭"
constexpr int ID_SEGMENT_SEQUENCE = 2532;   // "序列图像分割"
constexpr int ID_OUTLINE_BINARIZE = 2534;   // "复杂局部二值化"
constexpr int ID_SEGMENT_FINISH = 2544;     // "结束"

// "测试"
constexpr int ID_GREY_TEST = 2954; // "灰度图像测试"
