#pragma once

// "剪切" 2375, "水平镜像" 2376, "上下镜像" 2377, "负片" 2378, "缩放" 2384 on
// canvas 4: the colour path for an 8-bit picture (working planes and the
// region-masked show step), the raw path for raw data, "没有图像" otherwise.
void RunEditCommand(int id);
