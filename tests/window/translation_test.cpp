#include <cstring>

#include <QtTest>

#include <QAbstractButton>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QTranslator>
#include <QXmlStreamReader>

#include "platform/autostart_entry.h"
#include "platform/program_options.h"
#include "schedule/given_schedule.h"
#include "schedule/kept_schedules.h"
#include "schedule/option_table.h"
#include "window/history_window.h"
#include "window_rig.h"

using namespace ventaro;
using namespace ventaro::test;

namespace {

// Each literal piece of a message between its placeholders, marked: what an
// argument brings stays unmarked, so an untranslated fragment shows even
// inside a translated sentence.
QString marked(const QString &source)
{
    static const QRegularExpression placeholder(QStringLiteral("%(\\d+|n)"));
    QString out;
    qsizetype from = 0;
    const auto piece = [&out](const QString &text) { out += text.isEmpty() ? QString() : u'⟦' + text + u'⟧'; };
    for (const QRegularExpressionMatch &m : placeholder.globalMatch(source)) {
        piece(source.mid(from, m.capturedStart() - from));
        out += m.captured();
        from = m.capturedEnd();
    }
    piece(source.mid(from));
    return out;
}

// Marks every message lupdate extracted into the catalogue, and Qt's own
// (translated by Qt's catalogue): a text wrapped but never extracted, or
// asked for in another context than extracted, stays unmarked.
class PseudoTranslator final : public QTranslator
{
public:
    PseudoTranslator()
    {
        QFile file(QStringLiteral(VENTARO_CATALOGUE));
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", VENTARO_CATALOGUE);
        QXmlStreamReader xml(&file);
        QString context;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == u"name")
                context = xml.readElementText();
            else if (xml.name() == u"source")
                known_.insert(context + u'\x1f' + xml.readElementText());
        }
    }
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        const QString text = QString::fromUtf8(source);
        if (std::strncmp(context, "Q", 1) != 0 && !known_.contains(QString::fromUtf8(context) + u'\x1f' + text))
            return {};
        return marked(text);
    }

private:
    QSet<QString> known_;
};

// The words a text says outside its marked pieces.
QStringList unmarkedWords(const QString &text)
{
    QString rest = text;
    rest.remove(QRegularExpression(QStringLiteral("⟦[^⟧]*⟧")));
    QStringList words;
    for (const QRegularExpressionMatch &m : QRegularExpression(QStringLiteral("\\p{L}+")).globalMatch(rest))
        words << m.captured();
    return words;
}

// What a person sees or hears of a window: captions, texts, tool tips,
// accessible names and descriptions, menu items, table cells. The user's
// own fields (activation, count, command) are not ours to translate.
QStringList shownTexts(QWidget *top)
{
    QList<QWidget *> widgets = top->findChildren<QWidget *>();
    widgets.prepend(top);
    QStringList texts;
    for (QWidget *w : widgets) {
        texts << w->toolTip() << w->accessibleName() << w->accessibleDescription();
        if (w->isWindow())
            texts << w->windowTitle();
        if (auto *label = qobject_cast<QLabel *>(w))
            texts << label->text();
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            texts << button->text();
        if (auto *edit = qobject_cast<QLineEdit *>(w))
            texts << edit->placeholderText();
        if (auto *spin = qobject_cast<QSpinBox *>(w))
            texts << spin->specialValueText();
        if (auto *menu = qobject_cast<QMenu *>(w))
            for (const QAction *action : menu->actions())
                texts << action->text();
        if (auto *table = qobject_cast<QTableWidget *>(w)) {
            for (int column = 0; column < table->columnCount(); ++column) {
                if (QTableWidgetItem *header = table->horizontalHeaderItem(column))
                    texts << header->text();
                for (int row = 0; row < table->rowCount(); ++row)
                    texts << (table->item(row, column) ? table->item(row, column)->text() : QString());
            }
        }
    }
    return texts;
}

QStringList everyWindowsTexts()
{
    QStringList texts;
    for (QWidget *top : QApplication::topLevelWidgets())
        texts << shownTexts(top);
    return texts;
}

void typeCommand(WindowRig &rig, const QString &command)
{
    rig.child<QPlainTextEdit>("command")->setPlainText(command);
}

} // namespace

class TranslationTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QCoreApplication::installTranslator(&pseudo_); }

    // Every text of ours reaches the screen through the catalogue; what is
    // left unmarked is the captions the window keeps in every language and
    // what came from outside (the command, its output, a path, the system's
    // own words for an error).
    void everyTextIsATranslatorsToGive_data()
    {
        QTest::addColumn<QString>("scene");
        for (const char *scene : {"unarmed window and its menu", "armed with every option", "run now without a command",
                                  "a failure, its message and the history", "the kept schedules and limits windows",
                                  "a login entry that cannot be written", "help, usage errors and the list"})
            QTest::newRow(scene) << QString::fromLatin1(scene);
    }
    void everyTextIsATranslatorsToGive()
    {
        QFETCH(QString, scene);
        QTemporaryDir config;
        EnvOverride configHome("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        QSet<QString> outside{"Set", "Release", "Exit", "Reset", "Seconds", "Minutes", "Hours", "Days", "After",
                              "VENTARO", "Command", "Next", "Activate", "ventaro", "opt", "job", "disk", "full", "schedule", "UTC"};
        for (const QString &word : unmarkedWords(config.filePath(QStringLiteral("autostart")))
                 + unmarkedWords(QString::fromLocal8Bit(std::strerror(ENOTDIR))) + unmarkedWords(unitWords().join(u' ')))
            outside.insert(word);
        QStringList texts;
        {
            AutostartEntry entry(QStringLiteral("schedule-1"));
            WindowRig rig;
            // A window that owns a login entry; it takes the launcher's word from the rig's window.
            std::optional<Form1> withEntry;
            if (scene.startsWith(u"the kept") || scene.startsWith(u"a login"))
                withEntry.emplace(Form1Parts{rig.clock, rig.launcher, Separators{}, nullptr, &entry});
            if (scene.startsWith(u"armed")) {
                GivenSchedule given{QStringLiteral("2024/05/17 21:45:00"), QStringLiteral("10"), Unit::Minutes,
                                    QStringLiteral("/opt/job"), true, false, {true, true, true, 7200, 3, 600}, {}};
                rig.form.fill(given);
                rig.form.armGiven();
            } else if (scene.startsWith(u"run now")) {
                QTest::keyClick(&rig.form, Qt::Key_R, Qt::ControlModifier);
            } else if (scene.startsWith(u"a failure")) {
                typeCommand(rig, QStringLiteral("/opt/job"));
                QTest::keyClick(&rig.form, Qt::Key_R, Qt::ControlModifier);
                rig.launcher.write(1001, "disk full\n");
                rig.launcher.end(ChildExit{1001, 3, std::nullopt, 2000});
                rig.tick();
                QTRY_VERIFY(rig.messageWindow() != nullptr);
                QTest::keyClick(&rig.form, Qt::Key_F1);
                QTRY_VERIFY(rig.history() != nullptr && rig.history()->isVisible());
            } else if (scene.startsWith(u"the kept")) {
                rig.choose(QStringLiteral("stop_after"));
                withEntry->findChild<QAction *>(QStringLiteral("kept_schedules"))->trigger();
            } else if (scene.startsWith(u"a login")) {
                QFile(config.filePath(QStringLiteral("autostart"))).open(QIODevice::WriteOnly); // a file where the folder goes
                withEntry->findChild<QAction *>(QStringLiteral("login"))->trigger();
                QTRY_VERIFY(withEntry->findChild<QMessageBox *>(QStringLiteral("message")) != nullptr);
            } else if (scene.startsWith(u"help")) {
                texts << helpText(commandLineOptions(), commandLineDescription());
                const char *bad[] = {"ventaro", "--at", "99:99", "--every", "ten", "--set", "--retry", "x", "--bogus", "stray"};
                const ProgramOptions read = readArguments(10, const_cast<char **>(bad), commandLineOptions());
                texts << read.problems << readGivenSchedule(read, rig.clock, Separators{}).problem;
                texts << keptSchedulesText({{QStringLiteral("schedule-1"), {}, {}, {}, {}, {}, false, {}}});
                for (const OptionSpec &option : commandLineOptions()) {
                    const QStringList words = option.name.split(u'-') << option.valueName;
                    for (const QString &word : words)
                        outside << word;
                }
                outside << "h" << "help" << "v" << "version" << "PROGRAM" << "ARGUMENT" << "at" << "ten" << "x" << "bogus" << "stray";
            }
            rig.tick();
            texts << everyWindowsTexts();
        }
        QStringList untranslated;
        for (const QString &text : std::as_const(texts)) {
            for (const QString &word : unmarkedWords(text))
                if (!outside.contains(word))
                    untranslated << text;
        }
        untranslated.removeDuplicates();
        QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(u'\n')));
        QVERIFY(texts.join(QString()).contains(u'⟦')); // the scene showed something of ours
    }

    // Every message of ours has its Japanese, with the same placeholders.
    void japaneseIsWhole()
    {
        QFile file(QStringLiteral(VENTARO_CATALOGUE));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QString context;
        QString source;
        QStringList missing;
        static const QRegularExpression placeholder(QStringLiteral("%\\d"));
        const auto placeholders = [](const QString &text) {
            QStringList found;
            for (const QRegularExpressionMatch &m : placeholder.globalMatch(text))
                found << m.captured();
            found.sort();
            found.removeDuplicates();
            return found;
        };
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == u"name") {
                context = xml.readElementText();
            } else if (xml.name() == u"source") {
                source = xml.readElementText();
            } else if (xml.name() == u"translation" && !context.startsWith(u'Q')) {
                const bool unfinished = xml.attributes().value(QStringLiteral("type")) == QLatin1String("unfinished");
                const QString japanese = xml.readElementText();
                if (unfinished || japanese.isEmpty() || placeholders(japanese) != placeholders(source))
                    missing << context + QStringLiteral(": ") + source;
            }
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u'\n')));
    }

private:
    PseudoTranslator pseudo_;
};

QTEST_MAIN(TranslationTest)
#include "translation_test.moc"
