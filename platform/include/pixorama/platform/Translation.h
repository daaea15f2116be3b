#pragma once

#include <QString>

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

// The interface speaks Chinese or English. Every text the system shows is
// written in Chinese in the code and looked up in the English catalogue
// (compiled from resources/translations/pixorama_en.ts) when English is
// chosen; a text the catalogue lacks is shown in Chinese. Texts composed
// with numbers or names translate their pattern ("%1") before filling it.
namespace plat {

enum class Language { Chinese, English };

// The shown form of a Chinese source text, in the current language.
std::wstring tr(const std::wstring& source);
QString tr(const QString& source);
QString tr(const char* source);
// tr(pattern) with %1, %2, ... replaced by the arguments, in order.
std::wstring trArgs(const std::wstring& pattern, std::initializer_list<std::wstring> arguments);
// True when the English catalogue holds the source text.
bool hasTranslation(const QString& source);

Language currentLanguage();
// Switches the language: loads the catalogue once, tells Qt (widgets get a
// LanguageChange event) and renames every widget that keeps its source text
// (SourceText.h). False when the English catalogue cannot be loaded.
bool setLanguage(Language language);

// "en"/"english" or "zh"/"chinese" (any case); nothing for anything else.
std::optional<Language> parseLanguage(std::wstring_view name);
// English when the first locale variable set (LANGUAGE, LC_ALL, LC_MESSAGES,
// LANG) names English first; Chinese otherwise, "C" and "POSIX" included.
Language languageFromLocale();
// The language a program starts in: the command-line value (empty when
// none), else PIXORAMA_LANG, else the stored choice, else the locale.
// An unknown value falls through to the next source.
Language startLanguage(std::wstring_view commandLine);

// The choice kept in the settings file of the writable folder.
std::optional<Language> storedLanguage();
bool storeLanguage(Language language);

} // namespace plat
