#include "common/settings_store.h"

#include "common/code_page.h"
#include "common/error.h"
#include "common/file_lock.h"
#include "common/line_reader.h"
#include "common/text_writer.h"
#include "common/upper_case.h"

#include <QSet>

#include <cstdlib>

namespace common {

namespace {

constexpr std::chrono::milliseconds LockWait(10000);

QString escape(const QString& text, bool key) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'%')
            out += QStringLiteral("%25");
        else if (c == u'\r')
            out += QStringLiteral("%0D");
        else if (c == u'\n')
            out += QStringLiteral("%0A");
        else if (key && c == u'=')
            out += QStringLiteral("%3D");
        else if (key && c == u']')
            out += QStringLiteral("%5D");
        else if (key && c == u'[')
            out += QStringLiteral("%5B");
        else
            out += c;
    }
    return out;
}

QString unescape(const QString& text) {
    if (!text.contains(u'%'))
        return text;
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'%' && i + 2 < text.size()) {
            bool ok = false;
            const int code = text.mid(i + 1, 2).toInt(&ok, 16);
            if (ok) {
                out += QChar(char16_t(code));
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

} // namespace

SettingsStore::SettingsStore(const QString& application)
    : file_(folder() / (application.toLower().toStdString() + ".ini")) {}

std::filesystem::path SettingsStore::folder() {
    if (const char* dir = std::getenv("DRAVIK_SETTINGS_DIR"); dir && *dir)
        return dir;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        return std::filesystem::path(xdg) / "Dravik";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home ? home : ".") / ".config" / "Dravik";
}

bool SettingsStore::exists() const {
    std::error_code ec;
    return std::filesystem::exists(file_, ec);
}

SettingsStore::Content SettingsStore::load() const {
    Content content;
    if (!exists())
        return content;
    LineReader reader(file_);
    std::string_view raw;
    while (reader.next(raw)) {
        const QString line = CodePage::decodeLine(raw);
        if (line.startsWith(u'[') && line.endsWith(u']') && line.size() >= 2) {
            content.push_back({unescape(line.mid(1, line.size() - 2)), {}});
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0 || content.empty())
            continue; // not ours, or damaged: skipped rather than fatal
        content.back().entries.emplace_back(unescape(line.left(eq)), unescape(line.mid(eq + 1)));
    }
    return content;
}

void SettingsStore::save(const Content& content, TextWriter::Durability durability) const {
    TextWriter writer(file_, TextWriter::Mode::Replace, durability);
    for (const Section& section : content) {
        if (section.entries.empty())
            continue;
        writer.rawLine(("[" + escape(section.name, true) + "]").toUtf8().toStdString());
        for (const auto& [key, value] : section.entries)
            writer.rawLine((escape(key, true) + "=" + escape(value, false)).toUtf8().toStdString());
    }
    writer.commit();
}

SettingsStore::Section* SettingsStore::find(Content& content, const QString& section) {
    for (Section& s : content) {
        if (UpperCase::equal(s.name, section))
            return &s;
    }
    return nullptr;
}

template <typename Change>
void SettingsStore::update(Change change, TextWriter::Durability durability) {
    std::error_code ec;
    std::filesystem::create_directories(file_.parent_path(), ec);
    // Another program's read-modify-write waits for this one. The lock writes nothing itself,
    // so a write that need not reach the disk costs no disk flush, and a killed program leaves
    // no stale lock.
    FileLock lock;
    if (!lock.acquire(file_.string() + ".lock", LockWait))
        throw Error(ErrorNumber::PathFileAccess,
                    file_.string() + ": settings are locked by another program");
    Content content = load();
    change(content);
    save(content, durability);
}

QString SettingsStore::value(const QString& section, const QString& key,
                             const QString& fallback) const {
    Content content = load();
    if (Section* s = find(content, section)) {
        for (const auto& [k, v] : s->entries) {
            if (UpperCase::equal(k, key))
                return v;
        }
    }
    return fallback;
}

bool SettingsStore::contains(const QString& section, const QString& key) const {
    Content content = load();
    if (Section* s = find(content, section)) {
        for (const auto& entry : s->entries) {
            if (UpperCase::equal(entry.first, key))
                return true;
        }
    }
    return false;
}

QStringList SettingsStore::keys(const QString& section) const {
    Content content = load();
    QStringList out;
    if (Section* s = find(content, section)) {
        for (const auto& entry : s->entries)
            out << entry.first;
    }
    return out;
}

void SettingsStore::setValue(const QString& section, const QString& key, const QString& value,
                             TextWriter::Durability durability) {
    update(
        [&](Content& content) {
            Section* s = find(content, section);
            if (!s) {
                content.push_back({section, {}});
                s = &content.back();
            }
            for (auto& entry : s->entries) {
                if (UpperCase::equal(entry.first, key)) {
                    entry.second = value;
                    return;
                }
            }
            s->entries.emplace_back(key, value);
        },
        durability);
}

void SettingsStore::removeKey(const QString& section, const QString& key) {
    update([&](Content& content) {
        if (Section* s = find(content, section)) {
            std::erase_if(s->entries,
                          [&](const auto& entry) { return UpperCase::equal(entry.first, key); });
        }
    });
}

void SettingsStore::removeSection(const QString& section) {
    removeSections({section});
}

void SettingsStore::removeSections(const QStringList& sections) {
    if (sections.isEmpty())
        return;
    QSet<QString> gone;
    for (const QString& section : sections)
        gone.insert(UpperCase::of(section));
    update([&](Content& content) {
        std::erase_if(content,
                      [&](const Section& s) { return gone.contains(UpperCase::of(s.name)); });
    });
}

} // namespace common
