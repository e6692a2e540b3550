#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>

// What a user saves must change no test. A user converts the figures of the scene the example
// script is shown with and saves their morphs as support assets, once into the build's bundled
// library and once into the studio's "My Library"; every fresh Genesis 9 the user's studio loads
// then carries morphs of the very names those tests make. The tests that load a fresh Genesis 9
// run again beside those saves and pass.
namespace {

const QString bundledLibrary = QStringLiteral(KVR_BUILD_DIR "/content");

// Every file and folder below the folder, by path.
QSet<QString> entriesBelow(const QString& dir)
{
    QSet<QString> entries;
    for (QDirIterator it(dir, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
         it.hasNext();)
        entries.insert(it.next());
    return entries;
}

// Puts the folder back as it was when this was made: whatever was added below it goes.
class RestoredOnExit {
public:
    explicit RestoredOnExit(const QString& dir) : _dir(dir), _before(entriesBelow(dir)) {}
    ~RestoredOnExit()
    {
        QStringList added = (entriesBelow(_dir) - _before).values();
        std::sort(added.begin(), added.end(), std::greater<QString>());  // a folder's contents first
        for (const QString& path : added)
            if (QFileInfo(path).isDir())
                QDir().rmdir(path);
            else
                QFile::remove(path);
    }
    QStringList added() const { return (entriesBelow(_dir) - _before).values(); }

private:
    QString _dir;
    QSet<QString> _before;
};

QProcessEnvironment userEnvironment(const QString& home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), home);
    env.remove(QStringLiteral("XDG_DATA_HOME"));  // the studio's home is then below HOME
    return env;
}

// Runs the program to its end; its exit code, or -1 when it did not end in time.
int run(const QString& program, const QStringList& args, const QProcessEnvironment& env, QString* pOutput)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    const bool bFinished = process.waitForFinished(280000);
    if (!bFinished) {
        process.kill();
        process.waitForFinished();
    }
    *pOutput = QString::fromUtf8(process.readAll());
    return bFinished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

// The user's studio, started as a user starts it (its default content and home), converts the
// figures with the example script and saves the new morphs into the library.
void convertAndSave(const QProcessEnvironment& env, const QString& library, const QString& vendor)
{
    QString output;
    const int iExit = run(QStringLiteral(KVR_STUDIO),
                          {"--headless", "--scene", "Scenes/Several Sources.duf", "--script",
                           KVR_SOURCE_DIR "/examples/convert-all-figures.js", "--script-arg", library, "--script-arg",
                           vendor, "--answer", "Convert figure*=Convert", "--answer",
                           "Conversion complete*=Close", "--answer", "Error*=OK"},
                          env, &output);
    ASSERT_EQ(iExit, 0) << output.toStdString();
}

int savedMorphs(const QStringList& paths, const QString& vendor)
{
    return int(std::count_if(paths.begin(), paths.end(), [&vendor](const QString& path) {
        return path.contains(QStringLiteral("/") + vendor + QStringLiteral("/")) && path.endsWith(QStringLiteral(".dsf"));
    }));
}

} // namespace

TEST(UserSaves, MorphsSavedIntoTheBundledLibraryAndMyLibraryChangeNoTestThatLoadsAFreshGenesis9)
{
    // The main job's test reads the bundled library: it waits until the saves are gone again.
    QLockFile bundledInUse(QStringLiteral(KVR_BUILD_DIR "/content.lock"));
    bundledInUse.setStaleLockTime(0);
    ASSERT_TRUE(bundledInUse.tryLock(240000));
    const RestoredOnExit bundled(bundledLibrary);
    QTemporaryDir userHome;
    const QProcessEnvironment env = userEnvironment(userHome.path());
    const QString myLibrary = userHome.filePath(QStringLiteral(".local/share/Kelvaro/studio/My Library"));
    const QString vendor = QStringLiteral("User Saves %1").arg(QCoreApplication::applicationPid());

    convertAndSave(env, bundledLibrary, vendor);
    convertAndSave(env, myLibrary, vendor);
    ASSERT_EQ(savedMorphs(bundled.added(), vendor), 6) << bundled.added().join('\n').toStdString();
    ASSERT_EQ(savedMorphs(entriesBelow(myLibrary).values(), vendor), 6);

    QString output;
    const int iExit = run(QCoreApplication::applicationFilePath(),
                          {"--gtest_filter=ConvertStudio.TheSampleScene*:ExampleScripts.*"}, env, &output);
    EXPECT_EQ(iExit, 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 3 tests"))) << output.toStdString();
}
