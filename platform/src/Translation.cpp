#include "pixorama/platform/Translation.h"

#include "pixorama/platform/Profile.h"
#include "pixorama/platform/Strings.h"
#include "pixorama/platform/System.h"

#include <QCoreApplication>
#include <QTranslator>

#include <atomic>
#include <cstdlib>

namespace plat {

namespace {

// All texts share one context: a source text means the same everywhere.
constexpr const char* context = "Pixorama";
constexpr const wchar_t* settingsSection = L"Interface";
constexpr const wchar_t* settingsKey = L"Language";

std::atomic<Language> current{Language::Chinese};

// Loaded once on the first switch to English and kept for the life of the
// process, so threads that look texts up never see it change.
QTranslator* englishCatalogue()
{
    static QTranslator* const catalogue = [] {
        auto* loaded = new QTranslator;
        if (!loaded->load(QStringLiteral(":/i18n/pixorama_en.qm"))) {
            delete loaded;
            return static_cast<QTranslator*>(nullptr);
        }
        return loaded;
    }();
    return catalogue;
}

QString lookUp(const QString& source)
{
    if (current.load() != Language::English || source.isEmpty())
        return source;
    const QTranslator* catalogue = englishCatalogue();
    if (catalogue == nullptr)
        return source;
    const QString found = catalogue->translate(context, source.toUtf8().constData());
    return found.isEmpty() ? source : found;
}

std::wstring settingsFile()
{
    return fromPath(writableFolder() / "settings.ini");
}

std::wstring environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? toWide(value) : std::wstring();
}

std::wstring lowered(std::wstring_view text)
{
    std::wstring out(text);
    for (wchar_t& c : out)
        if (c >= L'A' && c <= L'Z')
            c = wchar_t(c - L'A' + L'a');
    return out;
}

} // namespace

std::wstring tr(const std::wstring& source)
{
    if (current.load() != Language::English)
        return source;
    return lookUp(QString::fromStdWString(source)).toStdWString();
}

QString tr(const QString& source)
{
    return lookUp(source);
}

QString tr(const char* source)
{
    return lookUp(QString::fromUtf8(source));
}

std::wstring trArgs(const std::wstring& pattern, std::initializer_list<std::wstring> arguments)
{
    QString text = lookUp(QString::fromStdWString(pattern));
    for (const std::wstring& argument : arguments)
        text = text.arg(QString::fromStdWString(argument));
    return text.toStdWString();
}

bool hasTranslation(const QString& source)
{
    const QTranslator* catalogue = englishCatalogue();
    return catalogue != nullptr && !catalogue->translate(context, source.toUtf8().constData()).isEmpty();
}

Language currentLanguage()
{
    return current.load();
}

bool setLanguage(Language language)
{
    QTranslator* catalogue = englishCatalogue();
    if (language == Language::English && catalogue == nullptr)
        return false;
    if (language == current.load())
        return true;
    current.store(language);
    // Qt's LanguageChange event reaches widgets that translate themselves.
    if (QCoreApplication::instance() != nullptr) {
        if (language == Language::English)
            QCoreApplication::installTranslator(catalogue);
        else
            QCoreApplication::removeTranslator(catalogue);
    }
    return true;
}

std::optional<Language> parseLanguage(std::wstring_view name)
{
    const std::wstring lower = lowered(name);
    if (lower == L"en" || lower == L"english")
        return Language::English;
    if (lower == L"zh" || lower == L"chinese")
        return Language::Chinese;
    return std::nullopt;
}

Language languageFromLocale()
{
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const std::wstring value = environment(name);
        if (value.empty())
            continue;
        // LANGUAGE lists preferences ("en_GB:zh_CN"); the first one counts.
        const std::wstring first = lowered(value.substr(0, value.find(L':')));
        const bool english = first.starts_with(L"en") && (first.size() == 2 || first[2] == L'_' ||
                                                         first[2] == L'-' || first[2] == L'.' || first[2] == L'@');
        return english ? Language::English : Language::Chinese;
    }
    return Language::Chinese;
}

Language startLanguage(std::wstring_view commandLine)
{
    if (const auto chosen = parseLanguage(commandLine))
        return *chosen;
    if (const auto fromEnvironment = parseLanguage(environment("PIXORAMA_LANG")))
        return *fromEnvironment;
    if (const auto stored = storedLanguage())
        return *stored;
    return languageFromLocale();
}

std::optional<Language> storedLanguage()
{
    return parseLanguage(getProfileString(settingsSection, settingsKey, L"", settingsFile()));
}

bool storeLanguage(Language language)
{
    return writeProfileString(settingsSection, settingsKey, language == Language::English ? L"en" : L"zh",
                              settingsFile());
}

} // namespace plat
