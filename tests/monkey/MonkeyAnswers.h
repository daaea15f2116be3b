#pragma once

#include "MonkeyLog.h"
#include "MonkeyRandom.h"

#include <filesystem>
#include <string>
#include <vector>

class DialogDriver;
class QDialog;

// Answers every modal question of the program as a careless user would:
// message boxes with any of their buttons, file choosers with a corpus file,
// a new file in the output folder or nothing, folder choosers with the
// corpus, the output folder or nothing, and parameter dialogs with valid,
// boundary and invalid values, sometimes cancelled.
class MonkeyAnswers {
public:
    MonkeyAnswers(MonkeyRandom& random, MonkeyLog& log, std::vector<std::wstring> corpus,
                  std::filesystem::path corpusFolder, std::filesystem::path outFolder);
    ~MonkeyAnswers();
    MonkeyAnswers(const MonkeyAnswers&) = delete;
    MonkeyAnswers& operator=(const MonkeyAnswers&) = delete;

private:
    int messageBox(const std::wstring& text, unsigned style);
    std::vector<std::wstring> chooseFiles(bool save, bool multi);
    std::wstring chooseFolder();
    void fillDialog(QDialog& dialog);
    std::wstring editText(const std::wstring& current);

    MonkeyRandom& random;
    MonkeyLog& log;
    std::vector<std::wstring> corpus;
    std::filesystem::path corpusFolder;
    std::filesystem::path outFolder;
    int saved = 0;
};
