<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>Pixorama</name>
    <message>
        <source>所有文件(*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <source>图像文件格式(*.bmp)</source>
        <translation>Image files (*.bmp)</translation>
    </message>
    <message>
        <source>图像文件格式(*.raw)</source>
        <translation>Image files (*.raw)</translation>
    </message>
    <message>
        <source>图像文件</source>
        <translation>Image files</translation>
    </message>
    <message>
        <source>所有文件</source>
        <translation>All files</translation>
    </message>
    <message>
        <source>工程文件格式(*.srl)</source>
        <translation>Project files (*.srl)</translation>
    </message>
    <message>
        <source>未命名</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>选择待处理文件的文件夹</source>
        <translation>Choose the folder of the files to process</translation>
    </message>
    <message>
        <source>文件不存在</source>
        <translation>The file does not exist</translation>
    </message>
    <message>
        <source>耗费时间为%2.9f
</source>
        <translation>Time taken: %2.9f
</translation>
    </message>
    <message>
        <source>水平重合参数需要大于二倍的中间切边参数加一</source>
        <translation>The horizontal overlap must be greater than twice the middle cut plus one</translation>
    </message>
    <message>
        <source>大视场重建参数输入</source>
        <translation>Wide-field reconstruction parameters</translation>
    </message>
    <message>
        <source>以下为将要进行的操作</source>
        <translation>Operations to run, in order</translation>
    </message>
    <message>
        <source>输入映射范围下限</source>
        <translation>Input map low</translation>
    </message>
    <message>
        <source>输入映射范围上限</source>
        <translation>Input map high</translation>
    </message>
    <message>
        <source>输出映射范围下限</source>
        <translation>Output map low</translation>
    </message>
    <message>
        <source>输出映射范围上限</source>
        <translation>Output map high</translation>
    </message>
    <message>
        <source>图像宽度</source>
        <translation>Image width</translation>
    </message>
    <message>
        <source>图像高度</source>
        <translation>Image height</translation>
    </message>
    <message>
        <source>像素类型</source>
        <translation>Pixel type</translation>
    </message>
    <message>
        <source>大端小端</source>
        <translation>Byte order</translation>
    </message>
    <message>
        <source>跳过字节</source>
        <translation>Skip bytes</translation>
    </message>
    <message>
        <source>显示是否采用映射</source>
        <translation>Map for display</translation>
    </message>
    <message>
        <source>采用映射</source>
        <translation>Use mapping</translation>
    </message>
    <message>
        <source>宽度</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>高度</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>数据类型</source>
        <translation>Data type</translation>
    </message>
    <message>
        <source>字节顺序</source>
        <translation>Byte order</translation>
    </message>
    <message>
        <source>出图宽度</source>
        <translation>Output width</translation>
    </message>
    <message>
        <source>出图高度</source>
        <translation>Output height</translation>
    </message>
    <message>
        <source>出图类型</source>
        <translation>Output type</translation>
    </message>
    <message>
        <source>出图处理</source>
        <translation>Output processing</translation>
    </message>
    <message>
        <source>当前显示窗宽窗位</source>
        <translation>Current display window</translation>
    </message>
    <message>
        <source>细节增强</source>
        <translation>Detail enhancement</translation>
    </message>
    <message>
        <source>负片&amp;&amp;细节增强</source>
        <translation>Negative &amp;&amp; detail enhancement</translation>
    </message>
    <message>
        <source>图像间隔</source>
        <translation>Image step</translation>
    </message>
    <message>
        <source>采用映射(出图处理失效)</source>
        <translation>Use mapping (no output processing)</translation>
    </message>
    <message>
        <source>文件保存目录</source>
        <translation>Output folder</translation>
    </message>
    <message>
        <source>投影宽度</source>
        <translation>Projection width</translation>
    </message>
    <message>
        <source>投影角度数</source>
        <translation>Projection angles</translation>
    </message>
    <message>
        <source>投影数据类型</source>
        <translation>Projection data type</translation>
    </message>
    <message>
        <source>硬化类型</source>
        <translation>Beam hardening</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>弱强度</source>
        <translation>Weak</translation>
    </message>
    <message>
        <source>中等强度</source>
        <translation>Medium</translation>
    </message>
    <message>
        <source>高强度</source>
        <translation>Strong</translation>
    </message>
    <message>
        <source>光源探测器距离</source>
        <translation>Source-detector distance</translation>
    </message>
    <message>
        <source>光源转台距离</source>
        <translation>Source-rotator distance</translation>
    </message>
    <message>
        <source>像元尺寸</source>
        <translation>Pixel size</translation>
    </message>
    <message>
        <source>是否取对数</source>
        <translation>Logarithm</translation>
    </message>
    <message>
        <source>取对数</source>
        <translation>Take logarithm</translation>
    </message>
    <message>
        <source>探测器横向偏移</source>
        <translation>Detector lateral offset</translation>
    </message>
    <message>
        <source>转台横向偏移</source>
        <translation>Rotator lateral offset</translation>
    </message>
    <message>
        <source>旋转方向</source>
        <translation>Rotation direction</translation>
    </message>
    <message>
        <source>顺时针</source>
        <translation>Clockwise</translation>
    </message>
    <message>
        <source>探测器宽度</source>
        <translation>Detector width</translation>
    </message>
    <message>
        <source>探测器高度</source>
        <translation>Detector height</translation>
    </message>
    <message>
        <source>探测器水平偏移(探元)</source>
        <translation>Detector H offset (pixels)</translation>
    </message>
    <message>
        <source>探测器竖直偏移(探元)</source>
        <translation>Detector V offset (pixels)</translation>
    </message>
    <message>
        <source>转台偏移</source>
        <translation>Rotator offset</translation>
    </message>
    <message>
        <source>旋转一周投影角度</source>
        <translation>Projections per turn</translation>
    </message>
    <message>
        <source>探元大小</source>
        <translation>Detector pixel size</translation>
    </message>
    <message>
        <source>旋转一周前进距离</source>
        <translation>Pitch per turn</translation>
    </message>
    <message>
        <source>开始角度</source>
        <translation>Start angle</translation>
    </message>
    <message>
        <source>结束角度</source>
        <translation>End angle</translation>
    </message>
    <message>
        <source>探测器偏移加权</source>
        <translation>Offset weighting</translation>
    </message>
    <message>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>螺旋方向开始位置</source>
        <translation>Helix start position</translation>
    </message>
    <message>
        <source>选择保存文件目录</source>
        <translation>Output folder</translation>
    </message>
    <message>
        <source>输入数据类型</source>
        <translation>Input data type</translation>
    </message>
    <message>
        <source>行数据位置</source>
        <translation>Row index</translation>
    </message>
    <message>
        <source>是否抽取所有行</source>
        <translation>All rows</translation>
    </message>
    <message>
        <source>抽取所有行</source>
        <translation>Extract all rows</translation>
    </message>
    <message>
        <source>采样角度数目</source>
        <translation>Sampled angles</translation>
    </message>
    <message>
        <source>探元尺寸</source>
        <translation>Detector pixel size</translation>
    </message>
    <message>
        <source>探测器横向偏移量(du)</source>
        <translation>Detector lateral offset (du)</translation>
    </message>
    <message>
        <source>探测器纵向偏移量(du)</source>
        <translation>Detector vertical offset (du)</translation>
    </message>
    <message>
        <source>转台偏移量(du)</source>
        <translation>Rotator offset (du)</translation>
    </message>
    <message>
        <source>X坐标</source>
        <translation>X</translation>
    </message>
    <message>
        <source>Y坐标</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>Z坐标</source>
        <translation>Z</translation>
    </message>
    <message>
        <source>半径</source>
        <translation>Radius</translation>
    </message>
    <message>
        <source>左边</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>右边</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>上边</source>
        <translation>Top</translation>
    </message>
    <message>
        <source>下边</source>
        <translation>Bottom</translation>
    </message>
    <message>
        <source>前边</source>
        <translation>Front</translation>
    </message>
    <message>
        <source>后边</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>输入参数</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>X1坐标</source>
        <translation>X1</translation>
    </message>
    <message>
        <source>Y1坐标</source>
        <translation>Y1</translation>
    </message>
    <message>
        <source>X2坐标</source>
        <translation>X2</translation>
    </message>
    <message>
        <source>Y2坐标</source>
        <translation>Y2</translation>
    </message>
    <message>
        <source>角度数</source>
        <translation>Angles</translation>
    </message>
    <message>
        <source>周期</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>参数输入</source>
        <translation>Parameters</translation>
    </message>
    <message>
        <source>数据处理组合选择</source>
        <translation>Processing chain</translation>
    </message>
    <message>
        <source>图像载入参数</source>
        <translation>Image load parameters</translation>
    </message>
    <message>
        <source>圆参数</source>
        <translation>Circle</translation>
    </message>
    <message>
        <source>输入圆参数</source>
        <translation>Circle parameters</translation>
    </message>
    <message>
        <source>矩阵参数</source>
        <translation>Rectangle</translation>
    </message>
    <message>
        <source>输入矩形参数</source>
        <translation>Rectangle parameters</translation>
    </message>
    <message>
        <source>格式转换</source>
        <translation>Format conversion</translation>
    </message>
    <message>
        <source>输出文件信息</source>
        <translation>Output files</translation>
    </message>
    <message>
        <source>图像对参数</source>
        <translation>Image pair parameters</translation>
    </message>
    <message>
        <source>重建参数</source>
        <translation>Reconstruction parameters</translation>
    </message>
    <message>
        <source>扇束仿真参数</source>
        <translation>Fan-beam simulation parameters</translation>
    </message>
    <message>
        <source>锥束成像仿真</source>
        <translation>Cone-beam simulation</translation>
    </message>
    <message>
        <source>螺旋锥束成像仿真参数</source>
        <translation>Helical cone-beam simulation parameters</translation>
    </message>
    <message>
        <source>提取正弦图</source>
        <translation>Extract sinogram</translation>
    </message>
    <message>
        <source>探测器图像加权拓展</source>
        <translation>Detector image weighting and extension</translation>
    </message>
    <message>
        <source>扇束重建参数</source>
        <translation>Fan-beam reconstruction parameters</translation>
    </message>
    <message>
        <source>图像尺寸</source>
        <translation>Image size</translation>
    </message>
    <message>
        <source>输入图像大小</source>
        <translation>Image size</translation>
    </message>
    <message>
        <source>输入矩阵</source>
        <translation>Matrix</translation>
    </message>
    <message>
        <source>输入矩阵数据</source>
        <translation>Matrix values</translation>
    </message>
    <message>
        <source>两点参数</source>
        <translation>Two points</translation>
    </message>
    <message>
        <source>输入和周期直线有关的参数</source>
        <translation>Parameters of the periodic line</translation>
    </message>
    <message>
        <source>数据类型转化为Uc</source>
        <translation>Convert to uchar</translation>
    </message>
    <message>
        <source>数据类型转化为Us</source>
        <translation>Convert to ushort</translation>
    </message>
    <message>
        <source>数据类型转化为Float</source>
        <translation>Convert to float</translation>
    </message>
    <message>
        <source>保存为8bit位图</source>
        <translation>Save as 8-bit bitmap</translation>
    </message>
    <message>
        <source>保存为24bit位图</source>
        <translation>Save as 24-bit bitmap</translation>
    </message>
    <message>
        <source>保存为32bit位图</source>
        <translation>Save as 32-bit bitmap</translation>
    </message>
    <message>
        <source>保存为Jpg文件</source>
        <translation>Save as JPEG</translation>
    </message>
    <message>
        <source>裁剪</source>
        <translation>Crop</translation>
    </message>
    <message>
        <source>缩放</source>
        <translation>Resize</translation>
    </message>
    <message>
        <source>选择ROI</source>
        <translation>Select ROI</translation>
    </message>
    <message>
        <source>高斯平滑</source>
        <translation>Gaussian smoothing</translation>
    </message>
    <message>
        <source>中值滤波</source>
        <translation>Median filter</translation>
    </message>
    <message>
        <source>LUT增强</source>
        <translation>LUT enhancement</translation>
    </message>
    <message>
        <source>小细节增强</source>
        <translation>Small detail enhancement</translation>
    </message>
    <message>
        <source>中细节增强</source>
        <translation>Medium detail enhancement</translation>
    </message>
    <message>
        <source>大细节增强</source>
        <translation>Large detail enhancement</translation>
    </message>
    <message>
        <source>整体增强</source>
        <translation>Overall enhancement</translation>
    </message>
    <message>
        <source>直方图均衡</source>
        <translation>Histogram equalisation</translation>
    </message>
    <message>
        <source>视网膜增强</source>
        <translation>Retinex enhancement</translation>
    </message>
    <message>
        <source>多尺度增强</source>
        <translation>Multi-scale enhancement</translation>
    </message>
    <message>
        <source>均值模糊</source>
        <translation>Mean blur</translation>
    </message>
    <message>
        <source>锐化</source>
        <translation>Sharpen</translation>
    </message>
    <message>
        <source>腐蚀</source>
        <translation>Erode</translation>
    </message>
    <message>
        <source>膨胀</source>
        <translation>Dilate</translation>
    </message>
    <message>
        <source>开运算</source>
        <translation>Opening</translation>
    </message>
    <message>
        <source>闭运算</source>
        <translation>Closing</translation>
    </message>
    <message>
        <source>全局阈值分割</source>
        <translation>Global threshold</translation>
    </message>
    <message>
        <source>局部阈值分割</source>
        <translation>Local threshold</translation>
    </message>
    <message>
        <source>分水岭分割</source>
        <translation>Watershed</translation>
    </message>
    <message>
        <source>从二值块计算坐标点</source>
        <translation>Points from binary blobs</translation>
    </message>
    <message>
        <source>矩形表示坐标点</source>
        <translation>Points as rectangles</translation>
    </message>
    <message>
        <source>圆形表示坐标点</source>
        <translation>Points as circles</translation>
    </message>
    <message>
        <source>Radon变换</source>
        <translation>Radon transform</translation>
    </message>
    <message>
        <source>Hough变换</source>
        <translation>Hough transform</translation>
    </message>
    <message>
        <source>直线检测</source>
        <translation>Line detection</translation>
    </message>
    <message>
        <source>图像拼接的基本参数</source>
        <translation>Stitching: basic parameters</translation>
    </message>
    <message>
        <source>图像一宽度</source>
        <translation>Image 1 width</translation>
    </message>
    <message>
        <source>图像一高度</source>
        <translation>Image 1 height</translation>
    </message>
    <message>
        <source>图像二宽度</source>
        <translation>Image 2 width</translation>
    </message>
    <message>
        <source>图像二高度</source>
        <translation>Image 2 height</translation>
    </message>
    <message>
        <source>输出数据类型</source>
        <translation>Output data type</translation>
    </message>
    <message>
        <source>图像三宽度</source>
        <translation>Image 3 width</translation>
    </message>
    <message>
        <source>图像三高度</source>
        <translation>Image 3 height</translation>
    </message>
    <message>
        <source>是否缩放</source>
        <translation>Resize</translation>
    </message>
    <message>
        <source>垂直重叠方向位移</source>
        <translation>Vertical shift</translation>
    </message>
    <message>
        <source>重叠区域宽度</source>
        <translation>Overlap width</translation>
    </message>
    <message>
        <source>操作方向</source>
        <translation>Direction</translation>
    </message>
    <message>
        <source>垂直方向</source>
        <translation>Vertical</translation>
    </message>
    <message>
        <source>图像一左(上)切除</source>
        <translation>Image 1 left (top) cut</translation>
    </message>
    <message>
        <source>图像二右(下)切除</source>
        <translation>Image 2 right (bottom) cut</translation>
    </message>
    <message>
        <source>中间切除</source>
        <translation>Middle cut</translation>
    </message>
    <message>
        <source>图像二旋转</source>
        <translation>Rotate image 2</translation>
    </message>
    <message>
        <source>需要旋转</source>
        <translation>Rotate</translation>
    </message>
    <message>
        <source>旋转参数</source>
        <translation>Rotation</translation>
    </message>
    <message>
        <source>重叠区域处理</source>
        <translation>Overlap</translation>
    </message>
    <message>
        <source>灰度一致性均衡</source>
        <translation>Balance grey levels</translation>
    </message>
    <message>
        <source>探测器校正参数(针对两组数据未做校正的情况)</source>
        <translation>Detector correction (for uncorrected data)</translation>
    </message>
    <message>
        <source>拼接前数据校正</source>
        <translation>Correct first</translation>
    </message>
    <message>
        <source>探测器校正</source>
        <translation>Detector correction</translation>
    </message>
    <message>
        <source>暗场校正文件1</source>
        <translation>Dark field 1</translation>
    </message>
    <message>
        <source>亮场校正文件1</source>
        <translation>Flat field 1</translation>
    </message>
    <message>
        <source>暗场校正文件2</source>
        <translation>Dark field 2</translation>
    </message>
    <message>
        <source>亮场校正文件2</source>
        <translation>Flat field 2</translation>
    </message>
    <message>
        <source>输出结果相关的参数</source>
        <translation>Output parameters</translation>
    </message>
    <message>
        <source>原始拼接缩放后操作</source>
        <translation>After stitching</translation>
    </message>
    <message>
        <source>直接输出</source>
        <translation>Output as is</translation>
    </message>
    <message>
        <source>Binning|去除极值取平均</source>
        <translation>Binning|mean without extremes</translation>
    </message>
    <message>
        <source>投影行高斯平滑</source>
        <translation>Gaussian row smoothing</translation>
    </message>
    <message>
        <source>拼接结果存放介质</source>
        <translation>Store result</translation>
    </message>
    <message>
        <source>输出到硬盘</source>
        <translation>On disk</translation>
    </message>
    <message>
        <source>存放在内存</source>
        <translation>In memory</translation>
    </message>
    <message>
        <source>输入文件开始序号</source>
        <translation>First input index</translation>
    </message>
    <message>
        <source>输入文件结束序号</source>
        <translation>Last input index</translation>
    </message>
    <message>
        <source>输入文件步长</source>
        <translation>Input step</translation>
    </message>
    <message>
        <source>保存文件开始序号</source>
        <translation>First output number</translation>
    </message>
    <message>
        <source>计算图像三大小</source>
        <translation>Compute image 3 size</translation>
    </message>
    <message>
        <source>拼接文件保存目录</source>
        <translation>Output folder</translation>
    </message>
    <message>
        <source>重建的基本参数</source>
        <translation>Reconstruction: basic parameters</translation>
    </message>
    <message>
        <source>初始DR图像宽度</source>
        <translation>DR image width</translation>
    </message>
    <message>
        <source>初始DR图像高度</source>
        <translation>DR image height</translation>
    </message>
    <message>
        <source>DR图像左右切除</source>
        <translation>DR left/right cut</translation>
    </message>
    <message>
        <source>DR图像上下切除</source>
        <translation>DR top/bottom cut</translation>
    </message>
    <message>
        <source>重建图像宽度</source>
        <translation>Slice width</translation>
    </message>
    <message>
        <source>输出重建图像的类型</source>
        <translation>Slice data type</translation>
    </message>
    <message>
        <source>硬化校正类型</source>
        <translation>Beam hardening</translation>
    </message>
    <message>
        <source>像元尺寸(mm)</source>
        <translation>Pixel size (mm)</translation>
    </message>
    <message>
        <source>光源探测器距离(mm)</source>
        <translation>Source-detector (mm)</translation>
    </message>
    <message>
        <source>光源转台距离(mm)</source>
        <translation>Source-rotator (mm)</translation>
    </message>
    <message>
        <source>探测器横向偏移(du)</source>
        <translation>Detector lateral (du)</translation>
    </message>
    <message>
        <source>探测器纵向偏移(du)</source>
        <translation>Detector vertical (du)</translation>
    </message>
    <message>
        <source>转台横向偏移(du)</source>
        <translation>Rotator lateral (du)</translation>
    </message>
    <message>
        <source>投影全部载入内存</source>
        <translation>Projections in memory</translation>
    </message>
    <message>
        <source>载入内存</source>
        <translation>Load into memory</translation>
    </message>
    <message>
        <source>是否去除环状伪影</source>
        <translation>Ring artefacts</translation>
    </message>
    <message>
        <source>去除环状伪影</source>
        <translation>Remove rings</translation>
    </message>
    <message>
        <source>是否去除极值点</source>
        <translation>Outliers</translation>
    </message>
    <message>
        <source>去除极值点</source>
        <translation>Remove outliers</translation>
    </message>
    <message>
        <source>取对数方式</source>
        <translation>Logarithm from</translation>
    </message>
    <message>
        <source>行极大值作为I0</source>
        <translation>Row maximum as I0</translation>
    </message>
    <message>
        <source>图像极大值作为I0</source>
        <translation>Image maximum as I0</translation>
    </message>
    <message>
        <source>设定固定值</source>
        <translation>Fixed value</translation>
    </message>
    <message>
        <source>固定的I0值</source>
        <translation>Fixed I0</translation>
    </message>
    <message>
        <source>重建的高级参数</source>
        <translation>Reconstruction: advanced parameters</translation>
    </message>
    <message>
        <source>是否采用标准重建</source>
        <translation>Standard reconstruction</translation>
    </message>
    <message>
        <source>采用标准重建</source>
        <translation>Use standard</translation>
    </message>
    <message>
        <source>滤波核函数</source>
        <translation>Filter kernel</translation>
    </message>
    <message>
        <source>截止频率</source>
        <translation>Cut-off frequency</translation>
    </message>
    <message>
        <source>是否启用标记图像</source>
        <translation>Label image</translation>
    </message>
    <message>
        <source>启用</source>
        <translation>Use</translation>
    </message>
    <message>
        <source>标记图像</source>
        <translation>Label image file</translation>
    </message>
    <message>
        <source>重建方式</source>
        <translation>Reconstruct on</translation>
    </message>
    <message>
        <source>CPU重建(多核)</source>
        <translation>CPU (multi-core)</translation>
    </message>
    <message>
        <source>CUDA重建</source>
        <translation>CUDA</translation>
    </message>
    <message>
        <source>是否重建多层</source>
        <translation>Several slices</translation>
    </message>
    <message>
        <source>重建多层</source>
        <translation>Reconstruct several</translation>
    </message>
    <message>
        <source>重建单张图像位置</source>
        <translation>Single slice row</translation>
    </message>
    <message>
        <source>重建图像开始位置</source>
        <translation>First slice row</translation>
    </message>
    <message>
        <source>重建图像结束位置</source>
        <translation>Last slice row</translation>
    </message>
    <message>
        <source>CPU线程数目</source>
        <translation>CPU threads</translation>
    </message>
    <message>
        <source>ROI重建投影拓展</source>
        <translation>ROI extrapolation</translation>
    </message>
    <message>
        <source>CUDA每次重建图像数目</source>
        <translation>CUDA slices per pass</translation>
    </message>
    <message>
        <source>螺旋重建的基本参数</source>
        <translation>Helical reconstruction</translation>
    </message>
    <message>
        <source>是否螺旋重建</source>
        <translation>Helical</translation>
    </message>
    <message>
        <source>螺旋重建</source>
        <translation>Helical scan</translation>
    </message>
    <message>
        <source>投影开始角度</source>
        <translation>First projection angle</translation>
    </message>
    <message>
        <source>投影结束角度</source>
        <translation>Last projection angle</translation>
    </message>
    <message>
        <source>重建图像大小</source>
        <translation>Slice size</translation>
    </message>
    <message>
        <source>重建图像数据类型</source>
        <translation>Slice data type</translation>
    </message>
    <message>
        <source>环状伪影</source>
        <translation>Ring artefacts</translation>
    </message>
    <message>
        <source>校正</source>
        <translation>Correct</translation>
    </message>
    <message>
        <source>数据加权</source>
        <translation>Data weighting</translation>
    </message>
    <message>
        <source>加权</source>
        <translation>Weight</translation>
    </message>
    <message>
        <source>线程个数</source>
        <translation>Threads</translation>
    </message>
    <message>
        <source>滤波器类型</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>起始角度</source>
        <translation>Start angle</translation>
    </message>
    <message>
        <source>角度步长</source>
        <translation>Angle step</translation>
    </message>
    <message>
        <source>加速方式</source>
        <translation>Acceleration</translation>
    </message>
    <message>
        <source>拼
接</source>
        <translation>Stitch</translation>
    </message>
    <message>
        <source>锥
束
重
建</source>
        <translation>Cone
CT</translation>
    </message>
    <message>
        <source>完成</source>
        <translation>Finish</translation>
    </message>
    <message>
        <source>上一步</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>下一步</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>进度条</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>坐标信息</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>像素信息</source>
        <translation>Pixel</translation>
    </message>
    <message>
        <source>编辑信息</source>
        <translation>Editing</translation>
    </message>
    <message>
        <source>显示信息未提供</source>
        <translation>No display information given</translation>
    </message>
    <message>
        <source>没有图像数据</source>
        <translation>No image data</translation>
    </message>
    <message>
        <source>这是一个测试</source>
        <translation>This is a test</translation>
    </message>
    <message>
        <source>角度 = %3.3f 度</source>
        <translation>Angle = %3.3f degrees</translation>
    </message>
    <message>
        <source>两直线平行</source>
        <translation>The lines are parallel</translation>
    </message>
    <message>
        <source>长度 = %4.3f mm</source>
        <translation>Length = %4.3f mm</translation>
    </message>
    <message>
        <source>内存不足</source>
        <translation>Not enough memory</translation>
    </message>
    <message>
        <source>线数据的最小值为 %5.3f 最大值为 %5.3f</source>
        <translation>Line data minimum %5.3f maximum %5.3f</translation>
    </message>
    <message>
        <source>内存不足，无法读取图像</source>
        <translation>Not enough memory to read the image</translation>
    </message>
    <message>
        <source>图像太大，无法显示</source>
        <translation>The image is too large to show</translation>
    </message>
    <message>
        <source>保存图像文件失败！</source>
        <translation>The image file could not be saved!</translation>
    </message>
    <message>
        <source>没有可保存的浮点图像</source>
        <translation>There is no float image to save</translation>
    </message>
    <message>
        <source>没有可保存的标记图像</source>
        <translation>There is no label image to save</translation>
    </message>
    <message>
        <source>无法读取图像文件</source>
        <translation>The image file cannot be read</translation>
    </message>
    <message>
        <source>图像文件不完整：缺少的部分显示为灰色或黑色</source>
        <translation>The image file is incomplete: the missing parts show grey or black</translation>
    </message>
    <message>
        <source>内存不足，无法读取图像文件</source>
        <translation>Not enough memory to read the image file</translation>
    </message>
    <message>
        <source>无法读取文件</source>
        <translation>The file cannot be read</translation>
    </message>
    <message>
        <source>文件长度不足：需要 %lld 字节，实际 %lld 字节</source>
        <translation>The file is too short: %lld bytes needed, %lld bytes found</translation>
    </message>
    <message>
        <source>图像尺寸无效：宽度 %lld，高度 %lld</source>
        <translation>Invalid image size: width %lld, height %lld</translation>
    </message>
    <message>
        <source>跳过字节数无效：%lld</source>
        <translation>Invalid number of bytes to skip: %lld</translation>
    </message>
    <message>
        <source>不支持的像素类型：%lld</source>
        <translation>Unsupported pixel type: %lld</translation>
    </message>
    <message>
        <source>像素间距在两个方向不同，测量按平均值计算</source>
        <translation>The pixel spacing differs between the two directions; measurements use the mean</translation>
    </message>
    <message>
        <source>无法读取 DICOM 文件</source>
        <translation>The DICOM file cannot be read</translation>
    </message>
    <message>
        <source>不支持的 DICOM 颜色格式</source>
        <translation>Unsupported DICOM colour format</translation>
    </message>
    <message>
        <source>不支持的 DICOM 像素格式</source>
        <translation>Unsupported DICOM pixel format</translation>
    </message>
    <message>
        <source>无法解码 DICOM 图像数据</source>
        <translation>The DICOM image data cannot be decoded</translation>
    </message>
    <message>
        <source>DICOM 文件不完整</source>
        <translation>The DICOM file is incomplete</translation>
    </message>
    <message>
        <source>内存不足，无法读取 DICOM 文件</source>
        <translation>Not enough memory to read the DICOM file</translation>
    </message>
    <message>
        <source>图像尺寸无效：宽度 %1，高度 %2</source>
        <translation>Invalid image size: width %1, height %2</translation>
    </message>
    <message>
        <source>图像文件太小，容纳不下宽度 %1，高度 %2 的图像</source>
        <translation>The image file is too small to hold an image of width %1, height %2</translation>
    </message>
    <message>
        <source>图像太大：宽度 %1，高度 %2</source>
        <translation>The image is too large: width %1, height %2</translation>
    </message>
    <message>
        <source>图像中有 %1 个无效值（NaN 或无穷大），显示为最小值</source>
        <translation>The image holds %1 invalid values (NaN or infinite), shown as the minimum</translation>
    </message>
    <message>
        <source>无法读取 TIFF 文件：</source>
        <translation>The TIFF file cannot be read: </translation>
    </message>
    <message>
        <source>TIFF 文件没有第 %1 页（共 %2 页）</source>
        <translation>The TIFF file has no page %1 (it has %2 pages)</translation>
    </message>
    <message>
        <source>无法读取 TIFF 文件：分块尺寸无效</source>
        <translation>The TIFF file cannot be read: invalid tile or strip size</translation>
    </message>
    <message>
        <source>图像文件不完整：有些部分无法解码，显示为黑色</source>
        <translation>The image file is incomplete: some parts cannot be decoded and show black</translation>
    </message>
    <message>
        <source>阈值</source>
        <translation>Threshold</translation>
    </message>
    <message>
        <source>高斯模糊</source>
        <translation>Gaussian blur</translation>
    </message>
    <message>
        <source>中值模糊</source>
        <translation>Median blur</translation>
    </message>
    <message>
        <source>我的电脑</source>
        <translation>Computer</translation>
    </message>
    <message>
        <source>刷新内容</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>读取bmp位图</source>
        <translation>Show bmp files</translation>
    </message>
    <message>
        <source>读取raw位图</source>
        <translation>Show raw files</translation>
    </message>
    <message>
        <source>添加至工程一</source>
        <translation>Add to project 1</translation>
    </message>
    <message>
        <source>添加至工程二</source>
        <translation>Add to project 2</translation>
    </message>
    <message>
        <source>测量对象</source>
        <translation>Measurements</translation>
    </message>
    <message>
        <source>删除全部测量结果</source>
        <translation>Delete all measurements</translation>
    </message>
    <message>
        <source>删除选定测量结果</source>
        <translation>Delete ticked measurements</translation>
    </message>
    <message>
        <source>ROI对象</source>
        <translation>ROIs</translation>
    </message>
    <message>
        <source>删除全部ROI</source>
        <translation>Delete all ROIs</translation>
    </message>
    <message>
        <source>删除选定ROI</source>
        <translation>Delete ticked ROIs</translation>
    </message>
    <message>
        <source>拟合对象</source>
        <translation>Fits</translation>
    </message>
    <message>
        <source>删除全部平面</source>
        <translation>Delete all planes</translation>
    </message>
    <message>
        <source>删除选定平面</source>
        <translation>Delete ticked planes</translation>
    </message>
    <message>
        <source>对象信息</source>
        <translation>Objects</translation>
    </message>
    <message>
        <source>模糊</source>
        <translation>Blur</translation>
    </message>
    <message>
        <source>模糊半径</source>
        <translation>Radius</translation>
    </message>
    <message>
        <source>旋转</source>
        <translation>Rotate</translation>
    </message>
    <message>
        <source>平移</source>
        <translation>Shift</translation>
    </message>
    <message>
        <source>加噪声</source>
        <translation>Noise</translation>
    </message>
    <message>
        <source>程度</source>
        <translation>Amount</translation>
    </message>
    <message>
        <source>饱和度</source>
        <translation>Saturation</translation>
    </message>
    <message>
        <source>色调</source>
        <translation>Hue</translation>
    </message>
    <message>
        <source>马赛克</source>
        <translation>Mosaic</translation>
    </message>
    <message>
        <source>块大小</source>
        <translation>Block</translation>
    </message>
    <message>
        <source>径向放大</source>
        <translation>Radial zoom</translation>
    </message>
    <message>
        <source>放大程度</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>图像细节增强</source>
        <translation>Detail enhancement</translation>
    </message>
    <message>
        <source>图像轮廓</source>
        <translation>Outline</translation>
    </message>
    <message>
        <source>小细节</source>
        <translation>Small</translation>
    </message>
    <message>
        <source>中细节</source>
        <translation>Medium</translation>
    </message>
    <message>
        <source>大细节</source>
        <translation>Large</translation>
    </message>
    <message>
        <source>窗宽窗位</source>
        <translation>Window</translation>
    </message>
    <message>
        <source>RGB通道</source>
        <translation>RGB channels</translation>
    </message>
    <message>
        <source>光照模型参数</source>
        <translation>Lighting model</translation>
    </message>
    <message>
        <source>采样步长</source>
        <translation>Sampling step</translation>
    </message>
    <message>
        <source>步长</source>
        <translation>Step</translation>
    </message>
    <message>
        <source>全部文件</source>
        <translation>All files</translation>
    </message>
    <message>
        <source>序列文件</source>
        <translation>Sequences</translation>
    </message>
    <message>
        <source>参数组一</source>
        <translation>Parameters 1</translation>
    </message>
    <message>
        <source>参数组二</source>
        <translation>Parameters 2</translation>
    </message>
    <message>
        <source>过多的子项</source>
        <translation>Too many sections</translation>
    </message>
    <message>
        <source>图像序列</source>
        <translation>Image sequences</translation>
    </message>
    <message>
        <source>图像序列一</source>
        <translation>Sequence 1</translation>
    </message>
    <message>
        <source>图像序列二</source>
        <translation>Sequence 2</translation>
    </message>
    <message>
        <source>工程文件读取失败：</source>
        <translation>The project file cannot be read: </translation>
    </message>
    <message>
        <source>工程文件写入失败：</source>
        <translation>The project file cannot be written: </translation>
    </message>
    <message>
        <source>添加文件</source>
        <translation>Add files</translation>
    </message>
    <message>
        <source>删除全部文件</source>
        <translation>Remove all files</translation>
    </message>
    <message>
        <source>删除选中文件</source>
        <translation>Remove selected files</translation>
    </message>
    <message>
        <source>添加目录里的文件</source>
        <translation>Add files of a folder</translation>
    </message>
    <message>
        <source>读取工程</source>
        <translation>Read project</translation>
    </message>
    <message>
        <source>输出工程</source>
        <translation>Write project</translation>
    </message>
    <message>
        <source>图像分析软件 https://pixorama.example</source>
        <translation>Image analysis workbench https://pixorama.example</translation>
    </message>
    <message>
        <source>自动窗宽窗位</source>
        <translation>Automatic window</translation>
    </message>
    <message>
        <source>最近打开的文件</source>
        <translation>Recent files</translation>
    </message>
    <message>
        <source>语言 / Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>中文</source>
        <translation>Chinese</translation>
    </message>
    <message>
        <source>打开图像</source>
        <translation>Open image</translation>
    </message>
    <message>
        <source>重新打开图像</source>
        <translation>Reopen image</translation>
    </message>
    <message>
        <source>创建图像</source>
        <translation>New image</translation>
    </message>
    <message>
        <source>保存标记图像</source>
        <translation>Save label image</translation>
    </message>
    <message>
        <source>保存raw图像</source>
        <translation>Save raw image</translation>
    </message>
    <message>
        <source>保存当前图像</source>
        <translation>Save current image</translation>
    </message>
    <message>
        <source>保存显示图</source>
        <translation>Save shown image</translation>
    </message>
    <message>
        <source>保存客户区</source>
        <translation>Save window</translation>
    </message>
    <message>
        <source>基本功能</source>
        <translation>Basic</translation>
    </message>
    <message>
        <source>全屏</source>
        <translation>Full screen</translation>
    </message>
    <message>
        <source>始终在上面</source>
        <translation>Always on top</translation>
    </message>
    <message>
        <source>一个视图</source>
        <translation>One view</translation>
    </message>
    <message>
        <source>两个视图</source>
        <translation>Two views</translation>
    </message>
    <message>
        <source>四个视图</source>
        <translation>Four views</translation>
    </message>
    <message>
        <source>输入输出视图</source>
        <translation>Information view</translation>
    </message>
    <message>
        <source>视图</source>
        <translation>View</translation>
    </message>
    <message>
        <source>固化结果</source>
        <translation>Keep result</translation>
    </message>
    <message>
        <source>剪切</source>
        <translation>Crop</translation>
    </message>
    <message>
        <source>水平镜像</source>
        <translation>Mirror horizontally</translation>
    </message>
    <message>
        <source>上下镜像</source>
        <translation>Mirror vertically</translation>
    </message>
    <message>
        <source>负片</source>
        <translation>Negative</translation>
    </message>
    <message>
        <source>转化为256阶位图</source>
        <translation>Convert to 8-bit</translation>
    </message>
    <message>
        <source>格式转化</source>
        <translation>Convert sequence</translation>
    </message>
    <message>
        <source>序列图像相加</source>
        <translation>Average sequence</translation>
    </message>
    <message>
        <source>序列图像剪切</source>
        <translation>Crop sequence</translation>
    </message>
    <message>
        <source>图像编辑</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>矩形(按住shift画)</source>
        <translation>Rectangle (hold Shift)</translation>
    </message>
    <message>
        <source>定制矩形</source>
        <translation>Typed rectangle</translation>
    </message>
    <message>
        <source>设置像素大小</source>
        <translation>Set pixel size</translation>
    </message>
    <message>
        <source>距离测量</source>
        <translation>Measure distance</translation>
    </message>
    <message>
        <source>角度测量</source>
        <translation>Measure angle</translation>
    </message>
    <message>
        <source>局部像素值</source>
        <translation>Local pixel values</translation>
    </message>
    <message>
        <source>文字</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>删除全部</source>
        <translation>Delete all</translation>
    </message>
    <message>
        <source>图像选区</source>
        <translation>Selection</translation>
    </message>
    <message>
        <source>灰度均匀性</source>
        <translation>Grey-level uniformity</translation>
    </message>
    <message>
        <source>统计分析</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>图像分析</source>
        <translation>Analysis</translation>
    </message>
    <message>
        <source>亮度调整</source>
        <translation>Adapt brightness</translation>
    </message>
    <message>
        <source>局部阈值</source>
        <translation>Local threshold</translation>
    </message>
    <message>
        <source>单字节图像增强</source>
        <translation>8-bit enhancement</translation>
    </message>
    <message>
        <source>祛痘</source>
        <translation>Remove blemishes</translation>
    </message>
    <message>
        <source>强力祛痘</source>
        <translation>Remove blemishes (strong)</translation>
    </message>
    <message>
        <source>白平衡</source>
        <translation>White balance</translation>
    </message>
    <message>
        <source>晕影</source>
        <translation>Vignette</translation>
    </message>
    <message>
        <source>交叉冲印</source>
        <translation>Cross processing</translation>
    </message>
    <message>
        <source>老照片</source>
        <translation>Old photo</translation>
    </message>
    <message>
        <source>柔光</source>
        <translation>Soft light</translation>
    </message>
    <message>
        <source>暗图像调整</source>
        <translation>Lift dark image</translation>
    </message>
    <message>
        <source>钢笔画</source>
        <translation>Pen drawing</translation>
    </message>
    <message>
        <source>底片</source>
        <translation>Film negative</translation>
    </message>
    <message>
        <source>冰冻</source>
        <translation>Freeze</translation>
    </message>
    <message>
        <source>风格化</source>
        <translation>Stylise</translation>
    </message>
    <message>
        <source>毛玻璃</source>
        <translation>Frosted glass</translation>
    </message>
    <message>
        <source>灰度化</source>
        <translation>Greyscale</translation>
    </message>
    <message>
        <source>大眼</source>
        <translation>Big eye</translation>
    </message>
    <message>
        <source>颜色矩阵</source>
        <translation>Colour matrix</translation>
    </message>
    <message>
        <source>图像艺术处理</source>
        <translation>Photo effects</translation>
    </message>
    <message>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>二值化</source>
        <translation>Binarise</translation>
    </message>
    <message>
        <source>局部二值化</source>
        <translation>Local binarisation</translation>
    </message>
    <message>
        <source>复杂局部二值化</source>
        <translation>Local binarisation with cleaning</translation>
    </message>
    <message>
        <source>复杂分水岭</source>
        <translation>Watershed (full)</translation>
    </message>
    <message>
        <source>简单分水岭</source>
        <translation>Watershed (simple)</translation>
    </message>
    <message>
        <source>序列图像分割</source>
        <translation>Segment sequence</translation>
    </message>
    <message>
        <source>结束</source>
        <translation>End</translation>
    </message>
    <message>
        <source>图像分割</source>
        <translation>Segmentation</translation>
    </message>
    <message>
        <source>载入DR数据</source>
        <translation>Load DR data</translation>
    </message>
    <message>
        <source>滤波DR数据</source>
        <translation>Filter DR data</translation>
    </message>
    <message>
        <source>图像锥束重建</source>
        <translation>Cone-beam reconstruction</translation>
    </message>
    <message>
        <source>扇束投影仿真</source>
        <translation>Fan-beam projection simulation</translation>
    </message>
    <message>
        <source>简单扇束重建</source>
        <translation>Simple fan-beam reconstruction</translation>
    </message>
    <message>
        <source>一般性扇束重建</source>
        <translation>General fan-beam reconstruction</translation>
    </message>
    <message>
        <source>扇束仿真</source>
        <translation>Fan-beam simulation</translation>
    </message>
    <message>
        <source>扇束重建</source>
        <translation>Fan-beam reconstruction</translation>
    </message>
    <message>
        <source>大视场重建测试</source>
        <translation>Wide-field reconstruction test</translation>
    </message>
    <message>
        <source>测试</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>图像重建实验</source>
        <translation>Reconstruction lab</translation>
    </message>
    <message>
        <source>图像拼接开始</source>
        <translation>Start stitching</translation>
    </message>
    <message>
        <source>图像拼接结束</source>
        <translation>Stop stitching</translation>
    </message>
    <message>
        <source>投影图像加权</source>
        <translation>Weight projections</translation>
    </message>
    <message>
        <source>大视场重建</source>
        <translation>Wide-field reconstruction</translation>
    </message>
    <message>
        <source>载入体数据</source>
        <translation>Load volume</translation>
    </message>
    <message>
        <source>删除体数据</source>
        <translation>Delete volume</translation>
    </message>
    <message>
        <source>切换联动模式</source>
        <translation>Toggle linked mode</translation>
    </message>
    <message>
        <source>测试功能</source>
        <translation>Test function</translation>
    </message>
    <message>
        <source>测试功能2</source>
        <translation>Test function 2</translation>
    </message>
    <message>
        <source>提取等值面</source>
        <translation>Extract isosurface</translation>
    </message>
    <message>
        <source>三维图像处理</source>
        <translation>3D processing</translation>
    </message>
    <message>
        <source>画图</source>
        <translation>Draw</translation>
    </message>
    <message>
        <source>脚本示例</source>
        <translation>Script examples</translation>
    </message>
    <message>
        <source>静止图像压缩</source>
        <translation>Still image compression</translation>
    </message>
    <message>
        <source>视频图像压缩</source>
        <translation>Video compression</translation>
    </message>
    <message>
        <source>图像编码</source>
        <translation>Coding</translation>
    </message>
    <message>
        <source>DR图像分析</source>
        <translation>DR image analysis</translation>
    </message>
    <message>
        <source>模板测试</source>
        <translation>Template test</translation>
    </message>
    <message>
        <source>测试字符串</source>
        <translation>Test string</translation>
    </message>
    <message>
        <source>标记</source>
        <translation>Label</translation>
    </message>
    <message>
        <source>边界</source>
        <translation>Borders</translation>
    </message>
    <message>
        <source>灰度图像测试</source>
        <translation>Grey image test</translation>
    </message>
    <message>
        <source>成像仿真</source>
        <translation>Imaging simulation</translation>
    </message>
    <message>
        <source>重新打开</source>
        <translation>Reopen</translation>
    </message>
    <message>
        <source>单视图</source>
        <translation>1 view</translation>
    </message>
    <message>
        <source>双视图</source>
        <translation>2 views</translation>
    </message>
    <message>
        <source>四视图</source>
        <translation>4 views</translation>
    </message>
    <message>
        <source>信息视图</source>
        <translation>Info view</translation>
    </message>
    <message>
        <source>存标记图</source>
        <translation>Save labels</translation>
    </message>
    <message>
        <source>存Raw图</source>
        <translation>Save raw</translation>
    </message>
    <message>
        <source>存当前图</source>
        <translation>Save image</translation>
    </message>
    <message>
        <source>存显示图</source>
        <translation>Save shown</translation>
    </message>
    <message>
        <source>存客户区</source>
        <translation>Save window</translation>
    </message>
    <message>
        <source>raw图像的处理自带此功能</source>
        <translation>Raw images have this built in</translation>
    </message>
    <message>
        <source>没有图像</source>
        <translation>There is no image</translation>
    </message>
    <message>
        <source>剪切矩形的大小无效</source>
        <translation>The crop rectangle has an invalid size</translation>
    </message>
    <message>
        <source>剪切矩形超出图像范围</source>
        <translation>The crop rectangle lies outside the image</translation>
    </message>
    <message>
        <source>图像尺寸无效</source>
        <translation>Invalid image size</translation>
    </message>
    <message>
        <source>没有raw图像</source>
        <translation>There is no raw image</translation>
    </message>
    <message>
        <source>无法创建输出文件夹</source>
        <translation>The output folder cannot be created</translation>
    </message>
    <message>
        <source>完成：写出 %d 个文件，跳过 %d 个无法读取或写入的文件</source>
        <translation>Done: %d files written, %d files skipped that could not be read or written</translation>
    </message>
    <message>
        <source>没有序列图像</source>
        <translation>There is no image sequence</translation>
    </message>
    <message>
        <source>局部阈值的窗口大小必须大于0且不大于图像</source>
        <translation>The local threshold window must be above 0 and no larger than the image</translation>
    </message>
    <message>
        <source>彩色图像不存在</source>
        <translation>There is no colour image</translation>
    </message>
    <message>
        <source>图像不存在</source>
        <translation>There is no image</translation>
    </message>
    <message>
        <source>最大值为%3.4f;</source>
        <translation>Maximum %3.4f; </translation>
    </message>
    <message>
        <source>最小值为%3.4f;</source>
        <translation>Minimum %3.4f; </translation>
    </message>
    <message>
        <source>均值为%3.4f&#xd;
</source>
        <translation>Mean %3.4f&#xd;
</translation>
    </message>
    <message>
        <source>总体标准差为(STDEVP)%6.5f;</source>
        <translation>Population standard deviation (STDEVP) %6.5f; </translation>
    </message>
    <message>
        <source>样本标准差为(STDEV)%6.5f;</source>
        <translation>Sample standard deviation (STDEV) %6.5f; </translation>
    </message>
    <message>
        <source>均值为%3.4f;&#xd;
</source>
        <translation>Mean %3.4f;&#xd;
</translation>
    </message>
    <message>
        <source>总体标准差为(STDEVP)%6.5f;总体方差为%6.5f;</source>
        <translation>Population standard deviation (STDEVP) %6.5f; population variance %6.5f; </translation>
    </message>
    <message>
        <source>样本标准差为(STDEV)%6.5f;样本方差为%6.5f;&#xd;
</source>
        <translation>Sample standard deviation (STDEV) %6.5f; sample variance %6.5f;&#xd;
</translation>
    </message>
    <message>
        <source>总体方差/平均值为%6.5f;&#xd;
</source>
        <translation>Population variance / mean %6.5f;&#xd;
</translation>
    </message>
    <message>
        <source>SNR为%3.4f;&#xd;
</source>
        <translation>SNR %3.4f;&#xd;
</translation>
    </message>
    <message>
        <source>PSNR为%3.4f;</source>
        <translation>PSNR %3.4f; </translation>
    </message>
    <message>
        <source>图像熵为%3.4f;</source>
        <translation>Entropy %3.4f; </translation>
    </message>
    <message>
        <source>JNB值为%3.4f;&#xd;
</source>
        <translation>JNB %3.4f;&#xd;
</translation>
    </message>
    <message>
        <source>%1 个</source>
        <translation>%1 more</translation>
    </message>
    <message>
        <source>没有两个以上的图像</source>
        <translation>At least two images are needed</translation>
    </message>
    <message>
        <source>没有选择文件保存目录</source>
        <translation>No output folder chosen</translation>
    </message>
    <message>
        <source>以下文件未能读取，未计入平均：</source>
        <translation>These files could not be read and are left out of the mean:</translation>
    </message>
    <message>
        <source>内存不足，无法计算平均</source>
        <translation>Not enough memory to compute the mean</translation>
    </message>
    <message>
        <source>停止正在运行的序列任务</source>
        <translation>Stop the running sequence job</translation>
    </message>
    <message>
        <source>图像尺寸或像素类型无效</source>
        <translation>Invalid image size or pixel type</translation>
    </message>
    <message>
        <source>不支持的出图类型</source>
        <translation>Unsupported output type</translation>
    </message>
    <message>
        <source>细节增强不可用</source>
        <translation>Detail enhancement is not available</translation>
    </message>
    <message>
        <source>文件不存在，未输出：</source>
        <translation>These files do not exist, nothing written for them:</translation>
    </message>
    <message>
        <source>文件长度不足，未输出：</source>
        <translation>These files are too short, nothing written for them:</translation>
    </message>
    <message>
        <source>%1 个输出文件无法写入：</source>
        <translation>%1 output files could not be written:</translation>
    </message>
    <message>
        <source>内存不足，转换停止</source>
        <translation>Not enough memory, conversion stopped</translation>
    </message>
    <message>
        <source>剪切矩形无效</source>
        <translation>Invalid crop rectangle</translation>
    </message>
    <message>
        <source>内存不足，剪切停止</source>
        <translation>Not enough memory, cropping stopped</translation>
    </message>
    <message>
        <source>文件不存在或长度不足，未剪切：</source>
        <translation>These files do not exist or are too short, not cropped:</translation>
    </message>
    <message>
        <source>左右图像个数不一样</source>
        <translation>The left and right lists differ in length</translation>
    </message>
    <message>
        <source>左右两幅图像的扩展名不一样</source>
        <translation>The left and right images have different extensions</translation>
    </message>
    <message>
        <source>校正文件不完整</source>
        <translation>The correction files are incomplete</translation>
    </message>
    <message>
        <source>内存不足，拼接停止</source>
        <translation>Not enough memory, stitching stopped</translation>
    </message>
    <message>
        <source>以下图像对未能读取，未拼接：</source>
        <translation>These image pairs could not be read, not stitched:</translation>
    </message>
    <message>
        <source>拼接完成</source>
        <translation>Stitching done</translation>
    </message>
    <message>
        <source>文件不存在：</source>
        <translation>The file does not exist: </translation>
    </message>
    <message>
        <source>实际图像偏小</source>
        <translation>The image is smaller than stated</translation>
    </message>
    <message>
        <source>图像宽度、行号或像素类型无效</source>
        <translation>Invalid image width, row or pixel type</translation>
    </message>
    <message>
        <source>内存不足，无法提取正弦图</source>
        <translation>Not enough memory to extract the sinogram</translation>
    </message>
    <message>
        <source>以下文件不存在或长度不足，正弦图中为零行：</source>
        <translation>These files do not exist or are too short; their sinogram rows are zero:</translation>
    </message>
    <message>
        <source>%1 需要一个值</source>
        <translation>%1 needs a value</translation>
    </message>
    <message>
        <source>%1 的值无效：%2</source>
        <translation>bad value for %1: %2</translation>
    </message>
    <message>
        <source>未知选项 %1</source>
        <translation>unknown option %1</translation>
    </message>
    <message>
        <source>  --params FILE           对话框写出的参数文件（默认：ImaPInitPara 中
                          该对话框自己的文件）
  --range START:END:STEP  只取下标 START, START+STEP, ... 中小于 END 的
  --lang en|zh            界面语言（默认：PIXORAMA_LANG、设置或区域设置）
  --help                  本说明
  --version               程序的版本（单独使用）
</source>
        <translation>  --params FILE           parameter file written by the dialogs (default: the
                          dialog&apos;s own file in ImaPInitPara)
  --range START:END:STEP  only indices START, START+STEP, ... below END
  --lang en|zh            interface language (default: PIXORAMA_LANG, settings, locale)
  --help                  this text
  --version               the program&apos;s version (alone)
</translation>
    </message>
    <message>
        <source>序列：FILES...、--list FILE（.srl 工程或列表文件，每行一个路径）
和 --glob PATTERN（&quot;/data/*.raw&quot;），依此顺序。
</source>
        <translation>The sequence: FILES..., --list FILE (a .srl project or a list file, one path a
line) and --glob PATTERN (&quot;/data/*.raw&quot;), in that order.
</translation>
    </message>
    <message>
        <source>参数文件不存在：</source>
        <translation>The parameter file does not exist: </translation>
    </message>
    <message>
        <source>缺少 --out FILE</source>
        <translation>--out FILE is missing</translation>
    </message>
    <message>
        <source>无法写入文件：</source>
        <translation>The file cannot be written: </translation>
    </message>
    <message>
        <source>缺少 --left 或 --right</source>
        <translation>--left or --right is missing</translation>
    </message>
    <message>
        <source>pixorama-batch average --out FILE [options] [FILES...]
把序列（图像载入参数，ImaLoad 节）平均到 FILE，一个浮点 raw 图像。
无法读取的文件列出名字并不计入。
</source>
        <translation>pixorama-batch average --out FILE [options] [FILES...]
Averages the sequence (image load parameters, section ImaLoad) into FILE,
a float raw image. Files that cannot be read are named and left out.
</translation>
    </message>
    <message>
        <source>pixorama-batch cut [options] [FILES...]
把第 i 个文件剪切到矩形（ImaROIRect 节），写在输入旁边，名为
i+10000 &quot;.raw&quot;（图像载入参数，ImaLoad 节）。
</source>
        <translation>pixorama-batch cut [options] [FILES...]
Crops file i to the rectangle (section ImaROIRect) and writes it beside
the input as i+10000 &quot;.raw&quot; (image load parameters, section ImaLoad).
</translation>
    </message>
    <message>
        <source>pixorama-batch convert [--out-dir DIR] [--window LEFT:RIGHT] [options] [FILES...]
按格式参数（ImaFormat 节）把序列转换到 OutDir（或 DIR）。--window 是 8 位
输出的显示窗口，以全范围的比例表示（默认 0:1）。--range 的 STEP 取代参数
中的步长；输出保留整次运行的编号。
</source>
        <translation>pixorama-batch convert [--out-dir DIR] [--window LEFT:RIGHT] [options] [FILES...]
Converts the sequence with the format parameters (section ImaFormat) into
OutDir (or DIR). --window is the display window for 8-bit output, as
fractions of the full range (default 0:1). STEP of --range replaces the
step of the parameters; outputs keep the numbers of the whole run.
</translation>
    </message>
    <message>
        <source>拼接投影图像对</source>
        <translation>Stitch projection pairs</translation>
    </message>
    <message>
        <source>pixorama-batch stitch --left LIST --right LIST [--out-dir DIR] [options]
按图像对参数（ImaPair 节）校正并拼接两个列表（列表文件、.srl 工程或
glob）的第 k 对，写到 m_SaveDir（或 DIR）。--range 取代开始、结束序号和步长。
</source>
        <translation>pixorama-batch stitch --left LIST --right LIST [--out-dir DIR] [options]
Corrects and stitches pair k of the two lists (each a list file, a .srl
project or a glob) with the pair parameters (section ImaPair) into
m_SaveDir (or DIR). --range replaces the start, end and step indices.
</translation>
    </message>
    <message>
        <source>从每个投影提取一行探测器数据</source>
        <translation>Extract one detector row from every projection</translation>
    </message>
    <message>
        <source>pixorama-batch sinogram --out FILE [--row N] [options] [FILES...]
取每个投影（ImaRowDataPara 节）的第 m_RowIndex（或 N）行，写到 FILE，
一个 m_width x 文件数的浮点 raw 图像。
</source>
        <translation>pixorama-batch sinogram --out FILE [--row N] [options] [FILES...]
Takes row m_RowIndex (or N) of every projection (section ImaRowDataPara)
into FILE, a float raw image of m_width x files.
</translation>
    </message>
    <message>
        <source>无需显示即可运行 Pixorama 的序列、拼接、正弦图、测量和重建任务。
</source>
        <translation>Runs the sequence, stitching, sinogram, measurement and reconstruction jobs of Pixorama without a display.
</translation>
    </message>
    <message>
        <source>命令：
</source>
        <translation>Commands:
</translation>
    </message>
    <message>
        <source>&apos;pixorama-batch COMMAND --help&apos; 说明一个命令。
</source>
        <translation>&apos;pixorama-batch COMMAND --help&apos; describes one command.
</translation>
    </message>
    <message>
        <source>没有给出命令</source>
        <translation>no command given</translation>
    </message>
    <message>
        <source>未知命令 %1</source>
        <translation>unknown command %1</translation>
    </message>
    <message>
        <source>（见 --help）</source>
        <translation> (see --help)</translation>
    </message>
    <message>
        <source>已中断</source>
        <translation>interrupted</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>缩小时平滑显示</source>
        <translation>Smooth display when shrunk</translation>
    </message>
    <message>
        <source>测量结果</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>测量</source>
        <translation>Measure</translation>
    </message>
    <message>
        <source>保存区域</source>
        <translation>Save regions</translation>
    </message>
    <message>
        <source>载入区域</source>
        <translation>Load regions</translation>
    </message>
    <message>
        <source>保存线数据</source>
        <translation>Save profile data</translation>
    </message>
    <message>
        <source>撤销：</source>
        <translation>Undo: </translation>
    </message>
    <message>
        <source>步骤太大，撤销记录已清空</source>
        <translation>Step too large: the undo history was cleared</translation>
    </message>
    <message>
        <source>细节调整</source>
        <translation>Detail adjustment</translation>
    </message>
    <message>
        <source>颜色调整</source>
        <translation>Colour adjustment</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>保存为CSV</source>
        <translation>Save as CSV</translation>
    </message>
    <message>
        <source>删除所选</source>
        <translation>Delete selected</translation>
    </message>
    <message>
        <source>清除</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>保存测量结果</source>
        <translation>Save results</translation>
    </message>
    <message>
        <source>没有可保存的区域或测量</source>
        <translation>There are no regions or measurements to save</translation>
    </message>
    <message>
        <source>请先选择一条线数据（至少 10 个像素长）</source>
        <translation>Select a profile line first (at least 10 pixels long)</translation>
    </message>
    <message>
        <source>区域文件 (*.json)|*.json||</source>
        <translation>Region files (*.json)|*.json||</translation>
    </message>
    <message>
        <source>CSV 文件 (*.csv)|*.csv||</source>
        <translation>CSV files (*.csv)|*.csv||</translation>
    </message>
    <message>
        <source>读取文件时出错</source>
        <translation>Error while reading the file</translation>
    </message>
    <message>
        <source>内存不足，任务已停止</source>
        <translation>Out of memory: the job was stopped</translation>
    </message>
    <message>
        <source>这是文件夹，不是文件</source>
        <translation>This is a folder, not a file</translation>
    </message>
    <message>
        <source>不是工程文件（工程文件每行一个路径）</source>
        <translation>Not a project file (a project file holds one path a line)</translation>
    </message>
    <message>
        <source>投影文件个数少于投影角度数</source>
        <translation>Fewer projection files than views</translation>
    </message>
    <message>
        <source>以下投影文件不存在或长度不足，重建没有进行：</source>
        <translation>These projection files are missing or too short; nothing was reconstructed:</translation>
    </message>
    <message>
        <source>重建层的位置超出重建图像范围</source>
        <translation>The slice lies outside the reconstructed volume</translation>
    </message>
    <message>
        <source>没有可用的CUDA设备，改用处理器重建</source>
        <translation>No CUDA device is available; reconstructing on the processors</translation>
    </message>
    <message>
        <source>重建层不在探测器视野内</source>
        <translation>The slice is outside the detector&apos;s field of view</translation>
    </message>
    <message>
        <source>投影图像大小或切除参数无效</source>
        <translation>Invalid projection size or cut parameters</translation>
    </message>
    <message>
        <source>重建几何参数无效：需要投影角度数、重建图像宽度、像元尺寸，且光源探测器距离大于光源转台距离</source>
        <translation>Invalid reconstruction geometry: views, reconstruction width and unit size are needed, and the source-detector distance must exceed the source-axis distance</translation>
    </message>
    <message>
        <source>螺旋重建尚不支持，请取消“螺旋重建”</source>
        <translation>Spiral reconstruction is not supported yet; clear “Spiral reconstruction”</translation>
    </message>
    <message>
        <source>画布中没有图像</source>
        <translation>There is no picture in the canvas</translation>
    </message>
    <message>
        <source>重建完成</source>
        <translation>Reconstruction finished</translation>
    </message>
    <message>
        <source>拼接正在进行</source>
        <translation>Stitching is running</translation>
    </message>
    <message>
        <source>正弦图提取正在进行</source>
        <translation>Sinogram extraction is running</translation>
    </message>
    <message>
        <source>投影宽度与画布中正弦图的宽度不一致</source>
        <translation>The projection width differs from the width of the sinogram in the canvas</translation>
    </message>
    <message>
        <source>重建几何参数无效：需要像元尺寸，且光源探测器距离大于光源转台距离</source>
        <translation>Invalid reconstruction geometry: a unit size is needed, and the source-detector distance must exceed the source-axis distance</translation>
    </message>
    <message>
        <source>仿真参数无效：需要投影宽度、投影角度数、像元尺寸，且光源探测器距离大于光源转台距离</source>
        <translation>Invalid simulation parameters: projection width, views and unit size are needed, and the source-detector distance must exceed the source-axis distance</translation>
    </message>
    <message>
        <source>仿真完成</source>
        <translation>Simulation finished</translation>
    </message>
    <message>
        <source>内存不足，无法测量</source>
        <translation>Out of memory: nothing was measured</translation>
    </message>
    <message>
        <source>以下文件未能读取，未测量：</source>
        <translation>These files could not be read and were not measured:</translation>
    </message>
    <message>
        <source>缺少 --out-dir DIR</source>
        <translation>--out-dir DIR is missing</translation>
    </message>
    <message>
        <source>缺少 --regions FILE</source>
        <translation>--regions FILE is missing</translation>
    </message>
    <message>
        <source>全图</source>
        <translation>Whole picture</translation>
    </message>
    <message>
        <source>距离</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>角度</source>
        <translation>Angle</translation>
    </message>
    <message>
        <source>矩形</source>
        <translation>Rectangle</translation>
    </message>
    <message>
        <source>多边形</source>
        <translation>Polygon</translation>
    </message>
    <message>
        <source>样条</source>
        <translation>Spline</translation>
    </message>
    <message>
        <source>自由区域</source>
        <translation>Free region</translation>
    </message>
    <message>
        <source>四点角度</source>
        <translation>Four-point angle</translation>
    </message>
    <message>
        <source>线数据</source>
        <translation>Profile</translation>
    </message>
    <message>
        <source>投影的锥束（FDK）重建（图像锥束重建）</source>
        <translation>cone-beam (FDK) reconstruction of projections</translation>
    </message>
    <message>
        <source>在序列的每个文件上测量保存的区域</source>
        <translation>measure saved regions on every file of a sequence</translation>
    </message>
    <message>
        <source>pixorama-batch reconstruct [--out-dir DIR] [options] [FILES...]
按重建参数（ImaRec 节）重建序列（每个文件一个 raw 投影，按视角顺序）的
切片，写到 m_SaveDir（或 DIR），每个切片一个文件 NNNNN.raw。--range 代替
参数指定切片（0 ... 宽度 - 1），作业数组可以分担一个体积：各部分与整次
运行逐字节相同。
</source>
        <translation>pixorama-batch reconstruct [--out-dir DIR] [options] [FILES...]
Reconstructs slices of the sequence (one raw projection a file, in the
order of the views) with the reconstruction parameters (section ImaRec)
into m_SaveDir (or DIR), one file NNNNN.raw per slice. --range names the
slices (0 ... width - 1) instead of the record, so a job array can share
a volume: the pieces equal the whole run byte for byte.
</translation>
    </message>
    <message>
        <source>pixorama-batch measure --regions FILE --out FILE [options] [FILES...]
在每个 raw 文件（图像载入参数，ImaLoad 节）上测量区域文件（用&quot;保存区域&quot;保存）
的每个区域，每个文件和区域写一行 CSV，列与测量结果窗口相同。使用
--range START:END 时只有从 0 开始的部分带表头，所以相连范围的各部分
拼接起来就是整次运行的文件。
</source>
        <translation>pixorama-batch measure --regions FILE --out FILE [options] [FILES...]
Measures every region of the region file (saved with &quot;Save regions&quot;) on every
raw file (image load parameters, section ImaLoad) and writes one CSV row
per file and region, with the columns of the results window. With
--range START:END only the piece that starts at 0 has the header, so the
pieces of consecutive ranges concatenate to the whole run&apos;s file.
</translation>
    </message>
    <message>
        <source>图像需要约 %1 MB 内存，可用 %2 MB</source>
        <translation>The picture needs about %1 MB of memory; %2 MB are available</translation>
    </message>
</context>
</TS>
