// The download record's layout, and the `plugin` downloader: it refuses anything but a whole,
// well-formed record with a web address, and hands a good record's URL to the browser
// (here a stand-in xdg-open, or $BROWSER, that writes down what it was given).
#include "PluginRecord.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void spill(const fs::path& file, const std::string& bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// A folder of its own per test, with a stand-in browser command that writes its arguments
// to a log.
class HelperTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("velmora-plugin-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir / "bin");
        log = dir / "browser.log";
    }
    void TearDown() override { fs::remove_all(dir); }

    // Writes a script `name` into dir/bin that logs "name ARGS" and exits with `status`.
    void fakeBrowser(const std::string& name, int status = 0)
    {
        const fs::path script = dir / "bin" / name;
        spill(script, "#!/bin/sh\necho \"" + name + " $*\" >> '" + log.string() + "'\nexit " +
                          std::to_string(status) + "\n");
        fs::permissions(script, fs::perms::owner_all);
    }

    // Runs the downloader on `record` with PATH = dir/bin plus the system's (so the real
    // xdg-open, if any, is never found before the stand-in) and BROWSER as given.
    int runHelper(const fs::path& record, const std::string& browser = "",
                  const std::string& path = "")
    {
        const std::string search = path.empty() ? (dir / "bin").string() + ":/usr/bin:/bin" : path;
        const std::string line = "PATH='" + search + "' BROWSER='" + browser + "' '" +
                                 VELMORA_PLUGIN_HELPER + "' '" + record.string() + "' 2>'" +
                                 (dir / "stderr").string() + "'";
        const int status = std::system(line.c_str());
        errors = slurp(dir / "stderr");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    fs::path record(const std::string& bytes)
    {
        const fs::path file = dir / "plugin.mp";
        spill(file, bytes);
        return file;
    }

    std::string goodRecord(const std::string& url = "https://packages.debian.org/stable/gstreamer1.0-libav")
    {
        const auto bytes = pluginrecord::encode({"Pure Codec 2009", "PureCodec20091001.exe", url});
        return std::string(bytes.begin(), bytes.end());
    }

    fs::path dir;
    fs::path log;
    std::string errors;
};

}  // namespace

TEST(PluginRecord, FieldsSitAtTheirOffsetsWithTheirTerminators)
{
    const auto bytes = pluginrecord::encode({"Xvid Codec Pack", "Xvid.exe", "https://example.org/x"});
    ASSERT_EQ(bytes.size(), 316u);
    EXPECT_EQ(std::string(bytes.data()), "Xvid Codec Pack");
    EXPECT_EQ(std::string(bytes.data() + 30), "Xvid.exe");
    EXPECT_EQ(std::string(bytes.data() + 60), "https://example.org/x");
    EXPECT_EQ(bytes[315], '\0');
    // A text too long for its field is cut so that its NUL still fits.
    const auto cut = pluginrecord::encode({std::string(40, 'n'), "f", "http://h"});
    EXPECT_EQ(std::string(cut.data()), std::string(29, 'n'));
    EXPECT_EQ(std::string(cut.data() + 30), "f");
    const auto parsed = pluginrecord::parse(std::string(bytes.begin(), bytes.end()));
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->displayName, "Xvid Codec Pack");
    EXPECT_EQ(parsed->fileName, "Xvid.exe");
    EXPECT_EQ(parsed->url, "https://example.org/x");
}

TEST_F(HelperTest, AGoodRecordGoesToTheDesktopsBrowser)
{
    fakeBrowser("xdg-open");
    EXPECT_EQ(runHelper(record(goodRecord())), 0) << errors;
    EXPECT_EQ(slurp(log), "xdg-open https://packages.debian.org/stable/gstreamer1.0-libav\n");
}

// Without xdg-open the commands of $BROWSER are tried in turn; none that works is an error.
TEST_F(HelperTest, WithoutXdgOpenBrowserIsTriedAndNoBrowserIsAnError)
{
    fakeBrowser("failing", 3);
    fakeBrowser("viewer");
    const std::string path = (dir / "bin").string();  // no xdg-open there
    EXPECT_EQ(runHelper(record(goodRecord()), "failing:viewer --new %s", path), 0) << errors;
    EXPECT_EQ(slurp(log), "failing https://packages.debian.org/stable/gstreamer1.0-libav\n"
                          "viewer --new https://packages.debian.org/stable/gstreamer1.0-libav\n");

    fs::remove(log);
    EXPECT_EQ(runHelper(record(goodRecord()), "", path), 2);
    EXPECT_NE(errors.find("no web browser took"), std::string::npos) << errors;
    EXPECT_FALSE(fs::exists(log));
}

TEST_F(HelperTest, ShortLongOrMalformedRecordsAreRefused)
{
    fakeBrowser("xdg-open");
    const std::string good = goodRecord();
    struct Case {
        const char* what;
        std::string bytes;
        const char* reason;
    };
    std::string unterminatedName = good;
    std::fill(unterminatedName.begin(), unterminatedName.begin() + 30, 'A');
    std::string unterminatedUrl = good;
    std::fill(unterminatedUrl.begin() + 60, unterminatedUrl.end(), 'h');
    std::string emptyFile = good;
    emptyFile[30] = '\0';
    const Case cases[] = {
        {"empty", "", "0 bytes long, not 316"},
        {"short", good.substr(0, 100), "100 bytes long, not 316"},
        {"long", good + "x", "longer than 316"},
        {"name without NUL", unterminatedName, "display name field has no terminating NUL"},
        {"URL without NUL", unterminatedUrl, "URL field has no terminating NUL"},
        {"empty file name", emptyFile, "file name is empty"},
        {"file URL", goodRecord("file:///etc/passwd"), "not an http or https address"},
        {"option-like URL", goodRecord("--help"), "not an http or https address"},
        {"URL with blank", goodRecord("https://a.example/x y"), "blank or a control character"},
        {"no host", goodRecord("https:///path"), "names no host"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(runHelper(record(c.bytes)), 1);
        EXPECT_NE(errors.find(c.reason), std::string::npos) << errors;
        EXPECT_NE(errors.find("nothing was opened"), std::string::npos) << errors;
    }
    EXPECT_EQ(runHelper(dir / "no-such.mp"), 1);
    EXPECT_NE(errors.find("no readable record"), std::string::npos) << errors;
    EXPECT_FALSE(fs::exists(log)) << slurp(log);
}

// Started with no argument, as the player starts it, it reads plugin.mp beside itself.
TEST_F(HelperTest, WithoutAnArgumentTheRecordBesideTheProgramIsRead)
{
    fakeBrowser("xdg-open");
    const fs::path copy = dir / "plugin";
    fs::copy_file(VELMORA_PLUGIN_HELPER, copy);
    record(goodRecord("http://wiki.debian.org/MultimediaCodecs"));
    const std::string line = "cd / && PATH='" + (dir / "bin").string() + ":/usr/bin:/bin' '" +
                             copy.string() + "'";
    const int status = std::system(line.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(slurp(log), "xdg-open http://wiki.debian.org/MultimediaCodecs\n");
}
