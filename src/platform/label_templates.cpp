#include "platform/label_templates.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <map>
#include <optional>

#include "surface/paper_sizes.h"

namespace qm {

namespace {

// A length as the files write it: a number with pt (the default), in, mm, cm or pc.
struct Length {
    double points = 0.0;
    bool metric = false;
};

std::optional<Length> lengthOf(QStringView text) {
    static const QRegularExpression pattern(QStringLiteral(
        R"(^\s*([-+]?(?:[0-9]+\.?[0-9]*|\.[0-9]+)(?:[eE][-+]?[0-9]+)?)\s*(pt|in|mm|cm|pc)?\s*$)"));
    const auto match = pattern.match(text.toString());
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const double number = match.captured(1).toDouble();
    const QString unit = match.captured(2);
    if (unit == u"in") {
        return Length{number * kPointsPerInch, false};
    }
    if (unit == u"mm" || unit == u"cm") {
        return Length{number * kPointsPerMillimetre * (unit == u"cm" ? 10 : 1), true};
    }
    return Length{number * (unit == u"pc" ? 12 : 1), false};
}

struct Paper {
    double width = 0.0;
    double height = 0.0;
    bool metric = false;
};
using Papers = std::map<QString, Paper>;

// The two pages nearly every sheet is on, for a folder without a paper file of its own.
Papers knownPapers() {
    return {{QStringLiteral("A4"), {kA4Paper.width, kA4Paper.height, true}},
            {QStringLiteral("US-Letter"), {kLetterPaper.width, kLetterPaper.height, false}}};
}

// A file's fault, with the line it was found on.
struct FileFault {
    qint64 line;
    QString what;
};

[[noreturn]] void fault(const QXmlStreamReader& xml, const QString& what) {
    throw FileFault{xml.lineNumber(), what};
}

// A length the sheet needs; without it the template is left out (not the file).
std::optional<Length> lengthAttribute(const QXmlStreamReader& xml, QLatin1String name) {
    return lengthOf(xml.attributes().value(name));
}

// An offset or pitch of a layout: missing or empty is 0, as label programs read it (a pitch
// of one label across is often left out).
double offsetAttribute(const QXmlStreamReader& xml, QLatin1String name) {
    const QStringView text = xml.attributes().value(name);
    const auto length = lengthOf(text);
    return length ? length->points : 0.0;
}

void readPaperSizes(const QString& path, Papers& papers) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"Paper-size") {
            const auto width = lengthOf(xml.attributes().value(QLatin1String("width")));
            const auto height = lengthOf(xml.attributes().value(QLatin1String("height")));
            if (width && height) {
                papers[xml.attributes().value(QLatin1String("id")).toString()] = {
                    width->points, height->points, width->metric || height->metric};
            }
        }
    }
}

// A template as read: a sheet, or another number of a sheet (equiv), or one left out.
struct Template {
    StockRow row;
    QString equivalentOf;
    bool usable = false;
};

// The label of a template: a rectangle of one layout, or nothing (left out).
void readLabel(QXmlStreamReader& xml, Template& t) {
    const std::optional<Length> width = lengthAttribute(xml, QLatin1String("width"));
    const std::optional<Length> height = lengthAttribute(xml, QLatin1String("height"));
    const bool rectangle = xml.name() == u"Label-rectangle" && width && height;
    int layouts = 0;
    SheetGeometry& sheet = t.row.sheet;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"Layout" && rectangle) {
            ++layouts;
            const auto count = [&](QLatin1String name) {
                bool ok = false;
                const int n = xml.attributes().value(name).toInt(&ok);
                return ok ? n : 0;
            };
            sheet.across = count(QLatin1String("nx"));
            sheet.down = count(QLatin1String("ny"));
            sheet.firstLeft = offsetAttribute(xml, QLatin1String("x0"));
            sheet.firstTop = offsetAttribute(xml, QLatin1String("y0"));
            sheet.pitchX = offsetAttribute(xml, QLatin1String("dx"));
            sheet.pitchY = offsetAttribute(xml, QLatin1String("dy"));
        }
        xml.skipCurrentElement();
    }
    if (rectangle && layouts == 1 && width->points > 0 && height->points > 0) {
        sheet.labelWidth = width->points;
        sheet.labelHeight = height->points;
        // A single column or row often has no pitch: its labels' own size is.
        if (sheet.across == 1 && sheet.pitchX <= 0) {
            sheet.pitchX = sheet.labelWidth;
        }
        if (sheet.down == 1 && sheet.pitchY <= 0) {
            sheet.pitchY = sheet.labelHeight;
        }
        t.row.metric = t.row.metric || width->metric;
        t.usable = true;
    }
}

// Labels that do not overlap and lie on the page (a little slack for rounded sizes): a sheet
// the layouts can print on.
bool liesOnItsPage(const SheetGeometry& sheet) {
    constexpr double kSlack = 1.0;
    if (sheet.across < 1 || sheet.down < 1 || sheet.firstLeft < -kSlack ||
        sheet.firstTop < -kSlack) {
        return false;
    }
    if ((sheet.across > 1 && sheet.pitchX < sheet.labelWidth - kSlack) ||
        (sheet.down > 1 && sheet.pitchY < sheet.labelHeight - kSlack)) {
        return false;
    }
    const PaperRect last = sheet.label({sheet.down - 1, sheet.across - 1});
    return last.right() <= sheet.pageWidth + kSlack && last.bottom() <= sheet.pageHeight + kSlack;
}

Template readTemplate(QXmlStreamReader& xml, const Papers& papers) {
    const QXmlStreamAttributes a = xml.attributes();
    Template t;
    t.row.vendor = a.value(QLatin1String("brand")).toString().toStdString();
    t.row.part = a.value(QLatin1String("part")).toString().toStdString();
    if (t.row.vendor.empty() || t.row.part.empty()) {
        fault(xml, QStringLiteral("a template without brand or part"));
    }
    t.equivalentOf = a.value(QLatin1String("equiv")).toString();
    const QStringView description = a.hasAttribute(QLatin1String("_description"))
                                        ? a.value(QLatin1String("_description"))
                                        : a.value(QLatin1String("description"));
    t.row.description = description.toString().toStdString();
    const QString size = a.value(QLatin1String("size")).toString();
    std::optional<Paper> paper;
    if (size == u"Other") {
        const auto width = lengthAttribute(xml, QLatin1String("width"));
        const auto height = lengthAttribute(xml, QLatin1String("height"));
        if (width && height) {
            paper = Paper{width->points, height->points, width->metric};
        }
    } else if (const auto known = papers.find(size); known != papers.end()) {
        paper = known->second;
        t.row.paperName = size == u"US-Letter" ? "Letter" : size.toStdString();
    }
    bool labelSeen = false;
    while (xml.readNextStartElement()) {
        if (xml.name().startsWith(u"Label-") && !labelSeen) {
            labelSeen = true;
            readLabel(xml, t);
        } else {
            xml.skipCurrentElement();
        }
    }
    if (!paper) {
        t.usable = false;  // a page this folder does not name
    } else {
        t.row.sheet.pageWidth = paper->width;
        t.row.sheet.pageHeight = paper->height;
        t.row.metric = t.row.metric || paper->metric;
        t.usable = t.usable && liesOnItsPage(t.row.sheet);
    }
    return t;
}

std::vector<Template> readTemplateFile(QFile& file, const Papers& papers) {
    QXmlStreamReader xml(&file);
    std::vector<Template> templates;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"Template") {
            templates.push_back(readTemplate(xml, papers));
        }
    }
    if (xml.hasError()) {
        fault(xml, xml.errorString());
    }
    return templates;
}

// Each template that is another number of a sheet of the same brand joins that sheet's
// numbers; then every sheet joins the library.
void addTemplates(StockLibrary& library, std::vector<Template>& templates) {
    std::map<std::pair<std::string, std::string>, Template*> sheets;
    for (Template& t : templates) {
        if (t.equivalentOf.isEmpty() && t.usable) {
            sheets.emplace(std::pair{t.row.vendor, t.row.part}, &t);
        }
    }
    for (const Template& t : templates) {
        if (t.equivalentOf.isEmpty()) {
            continue;
        }
        const auto sheet = sheets.find({t.row.vendor, t.equivalentOf.toStdString()});
        if (sheet != sheets.end() && sheet->second->row.part != t.row.part) {
            sheet->second->row.equivalents.push_back(t.row.part);
        }
    }
    for (const Template& t : templates) {
        if (t.equivalentOf.isEmpty() && t.usable) {
            library.add(t.row);
        }
    }
}

}  // namespace

void readTemplateFolder(StockLibrary& library, const std::string& folder) {
    const QDir dir(QString::fromStdString(folder));
    if (!dir.exists()) {
        return;
    }
    Papers papers = knownPapers();
    readPaperSizes(dir.filePath(QStringLiteral("paper-sizes.xml")), papers);
    // The equivalents of one file may name a sheet of another: all are read before any joins.
    std::vector<Template> templates;
    const QStringList names = dir.entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        if (name == u"paper-sizes.xml" || name == u"categories.xml" || name == u"vendors.xml") {
            continue;
        }
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            library.noteSkipped("Skipped label templates " + file.fileName().toStdString() + ": " +
                                file.errorString().toStdString());
            continue;
        }
        try {
            std::vector<Template> read = readTemplateFile(file, papers);
            std::move(read.begin(), read.end(), std::back_inserter(templates));
        } catch (const FileFault& f) {
            library.noteSkipped("Skipped label templates " + file.fileName().toStdString() +
                                ": line " + std::to_string(f.line) + ": " + f.what.toStdString());
        }
    }
    addTemplates(library, templates);
}

StockLibrary::Loader templateLoader(std::vector<std::string> folders) {
    return [folders = std::move(folders)](StockLibrary& library) {
        readTemplateFolder(library, kSystemTemplateFolder);
        for (const std::string& folder : folders) {
            readTemplateFolder(library, folder);
        }
    };
}

}  // namespace qm
