#include "pixorama/workbench/BatchProgram.h"

#include "BatchOptions.h"
#include "ConsoleFeedback.h"
#include "pixorama/common/RawFrame.h"

#include "pixorama/parlet/ParaFile.h"
#include "pixorama/platform/AtomicFile.h"
#include "pixorama/platform/Strings.h"
#include "pixorama/platform/System.h"
#include "pixorama/workbench/ConeReconstruction.h"
#include "pixorama/workbench/MeasureSequence.h"
#include "pixorama/platform/Translation.h"
#include "pixorama/workbench/ProjectionStitch.h"
#include "pixorama/workbench/RegionFile.h"
#include "pixorama/workbench/SequenceJob.h"
#include "pixorama/workbench/SequenceOps.h"
#include "pixorama/workbench/Sinogram.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <functional>
#include <map>
#include <unistd.h>

namespace {

constexpr int exitFailed = 1;
constexpr int exitUsage = 2;

// Ctrl-C cancels the job before its next file instead of killing it.
int interrupted = 0;

extern "C" void onInterrupt(int)
{
    std::atomic_ref<int>(interrupted).store(1);
}

// Help texts are written in Chinese and shown in the current language.
const wchar_t* const commonHelp =
    L"  --params FILE           对话框写出的参数文件（默认：ImaPInitPara 中\n"
    L"                          该对话框自己的文件）\n"
    L"  --range START:END:STEP  只取下标 START, START+STEP, ... 中小于 END 的\n"
    L"  --lang en|zh            界面语言（默认：PIXORAMA_LANG、设置或区域设置）\n"
    L"  --help                  本说明\n";

const wchar_t* const sequenceHelp =
    L"序列：FILES...、--list FILE（.srl 工程或列表文件，每行一个路径）\n"
    L"和 --glob PATTERN（\"/data/*.raw\"），依此顺序。\n";

struct Command {
    const wchar_t* summary;
    const wchar_t* usage;
    int (*run)(const BatchOptions&, SequenceJob&, std::ostream& err);
};

template <class R>
bool readParams(R& record, const BatchOptions& options, SequenceJob& job)
{
    if (gReadImaParaFile(record, options.params))
        return true;
    job.Message(plat::tr(L"参数文件不存在：") + (options.params.empty() ? CString(L"ImaPInitPara") : options.params));
    return false;
}

// The slice of the sequence the range names, or all of it.
std::vector<CString> slicedSequence(const BatchOptions& options)
{
    return options.hasRange ? Slice(SequenceOf(options), options.range) : SequenceOf(options);
}

bool needsOut(const BatchOptions& o, SequenceJob& job)
{
    if (!o.out.empty())
        return true;
    job.Message(L"缺少 --out FILE");
    return false;
}

// 0 when --out is given and the record's parameters are read, else the
// exit status to end with.
template <class R>
int outAndParams(R& record, const BatchOptions& o, SequenceJob& job)
{
    if (!needsOut(o, job))
        return exitUsage;
    return readParams(record, o, job) ? 0 : exitFailed;
}

// A float image to --out; the exit status of a job that went through
// complete or not.
int writeResult(const BatchOptions& o, const ClassData2DIO<float>& image, bool complete, SequenceJob& job)
{
    if (image.IsEmpty())
        return exitFailed;
    if (!WriteRawFrame(plat::toPath(o.out), image, RawLayout{image.width, image.height, 1, true})) {
        job.Message(plat::tr(L"无法写入文件：") + o.out);
        return exitFailed;
    }
    return complete ? 0 : exitFailed;
}

int average(const BatchOptions& o, SequenceJob& job, std::ostream&)
{
    tagQEVImaLoadPara load;
    if (const int status = outAndParams(load, o, job))
        return status;
    ClassData2DIO<float> mean;
    const bool complete = AverageSequence(slicedSequence(o), load, mean, job);
    return writeResult(o, mean, complete, job);
}

int cut(const BatchOptions& o, SequenceJob& job, std::ostream&)
{
    tagQEVImaLoadPara load;
    tagQEVImaROIRectPara rect;
    if (!readParams(load, o, job) || !readParams(rect, o, job))
        return exitFailed;
    const std::vector<CString> files = SequenceOf(o);
    if (files.empty()) {
        job.Message(L"没有序列图像");
        return exitFailed;
    }
    return CutSequence(files, load, rect, o.hasRange ? o.range : IndexRange{}, job) ? 0 : exitFailed;
}

int convert(const BatchOptions& o, SequenceJob& job, std::ostream&)
{
    tagQEVImaFormatPara para;
    if (!readParams(para, o, job))
        return exitFailed;
    para.Files = SequenceOf(o);
    if (!o.outDir.empty())
        para.OutDir = o.outDir;
    ConvertOptions options;
    options.useRange = o.hasRange;
    options.range = o.range;
    if (o.hasWindow)
        options.window = o.window;
    options.enhance = BatchDetailEnhancer();
    return ConvertSequence(para, options, job) ? 0 : exitFailed;
}

int stitch(const BatchOptions& o, SequenceJob& job, std::ostream&)
{
    tagQEVImaPairPara para;
    if (o.left.empty() || o.right.empty()) {
        job.Message(L"缺少 --left 或 --right");
        return exitUsage;
    }
    if (!readParams(para, o, job))
        return exitFailed;
    para.LeftFiles = ExpandSource(o.left);
    para.RightFiles = ExpandSource(o.right);
    if (!o.outDir.empty())
        para.m_SaveDir = o.outDir;
    if (o.hasRange) {
        para.InputFileStartIndex = o.range.first;
        para.InputFileEndIndex = o.range.end;
        if (o.range.step > 0)
            para.InputFileStep = o.range.step;
    }
    if (!CheckPairBatch(para, job))
        return exitFailed;
    return RunPairBatch(para, job) ? 0 : exitFailed;
}

int sinogram(const BatchOptions& o, SequenceJob& job, std::ostream&)
{
    tagQEVImaRowDataPara para;
    if (const int status = outAndParams(para, o, job))
        return status;
    if (o.hasRow)
        para.m_RowIndex = o.row;
    para.Files = slicedSequence(o);
    if (para.Files.size() < 2) {
        job.Message(L"没有两个以上的图像");
        return exitFailed;
    }
    ClassData2DIO<float> rows;
    const bool complete = ExtractSinogram(para, rows, job);
    return writeResult(o, rows, complete, job);
}

// The slices --range names (step 0 reads 1), or those of the record.
std::vector<int> slicesOf(const BatchOptions& o, const ConeScan& scan)
{
    if (!o.hasRange)
        return scan.slices;
    std::vector<int> slices;
    const int step = std::max(o.range.step, 1);
    for (int k = std::max(o.range.first, 0); k < std::min(o.range.end, scan.geometry.size); k += step)
        slices.push_back(k);
    return slices;
}

int reconstruct(const BatchOptions& o, SequenceJob& job, std::ostream&)
{
    tagQEVImaVolumeRecPara record;
    if (!readParams(record, o, job))
        return exitFailed;
    const std::vector<CString> files = SequenceOf(o);
    ConeScan scan;
    CString error;
    if (!ConeScanFromRecord(record, int(files.size()), scan, error)) {
        job.Message(error);
        return exitFailed;
    }
    const CString outDir = o.outDir.empty() ? scan.saveDir : o.outDir;
    if (outDir.empty()) {
        job.Message(L"缺少 --out-dir DIR");
        return exitUsage;
    }
    std::error_code ignored;
    std::filesystem::create_directories(plat::toPath(outDir), ignored);
    const bool complete = ReconstructConeFiles(files, scan, slicesOf(o, scan), [&](int k, const ClassData2DIO<float>& slice) {
        if (WriteConeSlice(outDir, k, slice, scan.outPixelType))
            return true;
        job.Message(L"无法写入文件：" + outDir);
        return false;
    }, job);
    return complete ? 0 : exitFailed;
}

int measure(const BatchOptions& o, SequenceJob& job, std::ostream&)
{
    if (!needsOut(o, job))
        return exitUsage;
    if (o.regions.empty()) {
        job.Message(L"缺少 --regions FILE");
        return exitUsage;
    }
    tagQEVImaLoadPara load;
    RegionSet regions;
    std::wstring error;
    if (!readParams(load, o, job))
        return exitFailed;
    if (!gReadRegionFile(o.regions, regions, error)) {
        job.Message(error);
        return exitFailed;
    }
    ResultsTable table;
    const bool complete = MeasureSequence(slicedSequence(o), load, regions, table, job);
    // Only the piece that starts the run has the header, so pieces concatenate.
    const bool first = !o.hasRange || o.range.first <= 0;
    if (!plat::writeFileAtomically(plat::toPath(o.out), table.Csv(first))) {
        job.Message(L"无法写入文件：" + o.out);
        return exitFailed;
    }
    return complete ? 0 : exitFailed;
}

const std::map<std::string, Command>& commands()
{
    static const std::map<std::string, Command> table = {
        {"average",
         {L"序列图像相加",
          L"pixorama-batch average --out FILE [options] [FILES...]\n"
          L"把序列（图像载入参数，ImaLoad 节）平均到 FILE，一个浮点 raw 图像。\n"
          L"无法读取的文件列出名字并不计入。\n",
          average}},
        {"cut",
         {L"序列图像剪切",
          L"pixorama-batch cut [options] [FILES...]\n"
          L"把第 i 个文件剪切到矩形（ImaROIRect 节），写在输入旁边，名为\n"
          L"i+10000 \".raw\"（图像载入参数，ImaLoad 节）。\n",
          cut}},
        {"convert",
         {L"格式转化",
          L"pixorama-batch convert [--out-dir DIR] [--window LEFT:RIGHT] [options] [FILES...]\n"
          L"按格式参数（ImaFormat 节）把序列转换到 OutDir（或 DIR）。--window 是 8 位\n"
          L"输出的显示窗口，以全范围的比例表示（默认 0:1）。--range 的 STEP 取代参数\n"
          L"中的步长；输出保留整次运行的编号。\n",
          convert}},
        {"stitch",
         {L"拼接投影图像对",
          L"pixorama-batch stitch --left LIST --right LIST [--out-dir DIR] [options]\n"
          L"按图像对参数（ImaPair 节）校正并拼接两个列表（列表文件、.srl 工程或\n"
          L"glob）的第 k 对，写到 m_SaveDir（或 DIR）。--range 取代开始、结束序号和步长。\n",
          stitch}},
        {"sinogram",
         {L"从每个投影提取一行探测器数据",
          L"pixorama-batch sinogram --out FILE [--row N] [options] [FILES...]\n"
          L"取每个投影（ImaRowDataPara 节）的第 m_RowIndex（或 N）行，写到 FILE，\n"
          L"一个 m_width x 文件数的浮点 raw 图像。\n",
          sinogram}},
        {"reconstruct",
         {L"投影的锥束（FDK）重建（图像锥束重建）",
          L"pixorama-batch reconstruct [--out-dir DIR] [options] [FILES...]\n"
          L"按重建参数（ImaRec 节）重建序列（每个文件一个 raw 投影，按视角顺序）的\n"
          L"切片，写到 m_SaveDir（或 DIR），每个切片一个文件 NNNNN.raw。--range 代替\n"
          L"参数指定切片（0 ... 宽度 - 1），作业数组可以分担一个体积：各部分与整次\n"
          L"运行逐字节相同。\n",
          reconstruct}},
        {"measure",
         {L"在序列的每个文件上测量保存的区域",
          L"pixorama-batch measure --regions FILE --out FILE [options] [FILES...]\n"
          L"在每个 raw 文件（图像载入参数，ImaLoad 节）上测量区域文件（用\"保存区域\"保存）\n"
          L"的每个区域，每个文件和区域写一行 CSV，列与测量结果窗口相同。使用\n"
          L"--range START:END 时只有从 0 开始的部分带表头，所以相连范围的各部分\n"
          L"拼接起来就是整次运行的文件。\n",
          measure}},
    };
    return table;
}

void programHelp(std::ostream& out)
{
    out << "pixorama-batch COMMAND [options]\n"
        << BatchText(L"无需显示即可运行 Pixorama 的序列、拼接、正弦图、测量和重建任务。\n") << '\n'
        << BatchText(L"命令：\n");
    for (const auto& [name, command] : commands())
        out << "  " << name << std::string(name.size() < 12 ? 12 - name.size() : 1, ' ') << BatchText(command.summary) << '\n';
    out << '\n' << BatchText(L"'pixorama-batch COMMAND --help' 说明一个命令。\n");
}

} // namespace

int RunBatchProgram(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.size() == 1 && args[0] == "--version") {
        out << "pixorama-batch " << plat::projectVersion() << '\n';
        return 0;
    }
    plat::setLanguage(plat::startLanguage(LanguageArgument(args)));
    const BatchOptions options = ParseBatchOptions(args);
    const auto found = commands().find(options.command);
    if (options.command.empty() && options.help) {
        programHelp(out);
        return 0;
    }
    if (found == commands().end()) {
        err << "pixorama-batch: "
            << (options.command.empty() ? BatchText(L"没有给出命令") : BatchText(L"未知命令 %1", {options.command}))
            << BatchText(L"（见 --help）") << '\n';
        return exitUsage;
    }
    if (options.help) {
        out << BatchText(found->second.usage) << '\n' << BatchText(commonHelp) << BatchText(sequenceHelp);
        return 0;
    }
    if (!options.error.empty()) {
        err << "pixorama-batch " << options.command << ": " << options.error << '\n';
        return exitUsage;
    }
    ConsoleFeedback feedback(err, "pixorama-batch " + options.command, ::isatty(STDERR_FILENO) != 0 && &err == &std::cerr);
    std::atomic_ref<int>(interrupted).store(0);
    const auto previous = std::signal(SIGINT, onInterrupt);
    SequenceJob job(feedback, &interrupted);
    const int status = found->second.run(options, job, err);
    std::signal(SIGINT, previous);
    feedback.Finish();
    if (status != 0) {
        const std::string reason = job.Cancelled() ? BatchText(L"已中断") : feedback.LastMessage();
        err << "pixorama-batch " << options.command << ": failed" << (reason.empty() ? "" : ": " + reason) << '\n';
    }
    return status;
}
