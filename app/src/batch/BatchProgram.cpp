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

const char* const commonHelp =
    "  --params FILE           parameter file written by the dialogs (default: the\n"
    "                          dialog's own file in ImaPInitPara)\n"
    "  --range START:END:STEP  only indices START, START+STEP, ... below END\n"
    "  --help                  this text\n"
    "  --version               the program's version (alone)\n";

const char* const sequenceHelp =
    "The sequence: FILES..., --list FILE (a .srl project or a list file, one path a\n"
    "line) and --glob PATTERN (\"/data/*.raw\"), in that order.\n";

struct Command {
    const char* summary;
    const char* usage;
    int (*run)(const BatchOptions&, SequenceJob&, std::ostream& err);
};

template <class R>
bool readParams(R& record, const BatchOptions& options, SequenceJob& job)
{
    if (gReadImaParaFile(record, options.params))
        return true;
    job.Message(L"参数文件不存在：" + (options.params.empty() ? CString(L"ImaPInitPara") : options.params));
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

// A float image to --out; the exit status of a job that went through
// complete or not.
int writeResult(const BatchOptions& o, const ClassData2DIO<float>& image, bool complete, SequenceJob& job)
{
    if (image.IsEmpty())
        return exitFailed;
    if (!WriteRawFrame(plat::toPath(o.out), image, RawLayout{image.width, image.height, 1, true})) {
        job.Message(L"无法写入文件：" + o.out);
        return exitFailed;
    }
    return complete ? 0 : exitFailed;
}

int average(const BatchOptions& o, SequenceJob& job, std::ostream&)
{
    tagQEVImaLoadPara load;
    if (!needsOut(o, job))
        return exitUsage;
    if (!readParams(load, o, job))
        return exitFailed;
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
    if (!needsOut(o, job))
        return exitUsage;
    if (!readParams(para, o, job))
        return exitFailed;
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
         {"mean of a raw sequence (序列图像相加)",
          "pixorama-batch average --out FILE [options] [FILES...]\n"
          "Averages the sequence (image load parameters, section ImaLoad) into FILE,\n"
          "a float raw image. Files that cannot be read are named and left out.\n",
          average}},
        {"cut",
         {"crop every file of a sequence (序列图像剪切)",
          "pixorama-batch cut [options] [FILES...]\n"
          "Crops file i to the rectangle (section ImaROIRect) and writes it beside\n"
          "the input as i+10000 \".raw\" (image load parameters, section ImaLoad).\n",
          cut}},
        {"convert",
         {"convert a sequence to another size and format (格式转化)",
          "pixorama-batch convert [--out-dir DIR] [--window LEFT:RIGHT] [options] [FILES...]\n"
          "Converts the sequence with the format parameters (section ImaFormat) into\n"
          "OutDir (or DIR). --window is the display window for 8-bit output, as\n"
          "fractions of the full range (default 0:1). STEP of --range replaces the\n"
          "step of the parameters; outputs keep the numbers of the whole run.\n",
          convert}},
        {"stitch",
         {"stitch projection pairs",
          "pixorama-batch stitch --left LIST --right LIST [--out-dir DIR] [options]\n"
          "Corrects and stitches pair k of the two lists (each a list file, a .srl\n"
          "project or a glob) with the pair parameters (section ImaPair) into\n"
          "m_SaveDir (or DIR). --range replaces the start, end and step indices.\n",
          stitch}},
        {"sinogram",
         {"extract one detector row from every projection",
          "pixorama-batch sinogram --out FILE [--row N] [options] [FILES...]\n"
          "Takes row m_RowIndex (or N) of every projection (section ImaRowDataPara)\n"
          "into FILE, a float raw image of m_width x files.\n",
          sinogram}},
        {"reconstruct",
         {"cone-beam (FDK) reconstruction of projections (图像锥束重建)",
          "pixorama-batch reconstruct [--out-dir DIR] [options] [FILES...]\n"
          "Reconstructs slices of the sequence (one raw projection a file, in the\n"
          "order of the views) with the reconstruction parameters (section ImaRec)\n"
          "into m_SaveDir (or DIR), one file NNNNN.raw per slice. --range names the\n"
          "slices (0 ... width - 1) instead of the record, so a job array can share\n"
          "a volume: the pieces equal the whole run byte for byte.\n",
          reconstruct}},
        {"measure",
         {"measure saved regions on every file of a sequence",
          "pixorama-batch measure --regions FILE --out FILE [options] [FILES...]\n"
          "Measures every region of the region file (saved with \"保存区域\") on every\n"
          "raw file (image load parameters, section ImaLoad) and writes one CSV row\n"
          "per file and region, with the columns of the results window. With\n"
          "--range START:END only the piece that starts at 0 has the header, so the\n"
          "pieces of consecutive ranges concatenate to the whole run's file.\n",
          measure}},
    };
    return table;
}

void programHelp(std::ostream& out)
{
    out << "pixorama-batch COMMAND [options]\n"
           "Runs the sequence, stitching, sinogram and reconstruction jobs of Pixorama without a display.\n\n"
           "Commands:\n";
    for (const auto& [name, command] : commands())
        out << "  " << name << std::string(name.size() < 12 ? 12 - name.size() : 1, ' ') << command.summary << '\n';
    out << "\n'pixorama-batch COMMAND --help' describes one command.\n";
}

} // namespace

int RunBatchProgram(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.size() == 1 && args[0] == "--version") {
        out << "pixorama-batch " << plat::projectVersion() << '\n';
        return 0;
    }
    const BatchOptions options = ParseBatchOptions(args);
    const auto found = commands().find(options.command);
    if (options.command.empty() && options.help) {
        programHelp(out);
        return 0;
    }
    if (found == commands().end()) {
        err << "pixorama-batch: " << (options.command.empty() ? "no command given" : "unknown command " + options.command)
            << " (see --help)\n";
        return exitUsage;
    }
    if (options.help) {
        out << found->second.usage << '\n' << commonHelp << sequenceHelp;
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
        const std::string reason = job.Cancelled() ? "interrupted" : feedback.LastMessage();
        err << "pixorama-batch " << options.command << ": failed" << (reason.empty() ? "" : ": " + reason) << '\n';
    }
    return status;
}
