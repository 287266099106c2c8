// A save in place that keeps what another program wrote meanwhile (the
// temporary files that killed saves leave are the file identity's tests).
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <iterator>
#include <string>
#include <thread>

#include "../temp_folder.h"
#include "run_tavaro.h"

namespace {

namespace fs = std::filesystem;

// Items whose names all hold "x", so that a replacement reports a long line
// for every one of them.
std::string Items(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "@@ITEM\r\n\tno\t" + std::to_string(i + 1) + "\r\n\tname\tx" + std::string(60, 'n') + "\r\n";
    return text;
}

}  // namespace

// The report goes to a pipe that is read only after another program has
// written the file: tavaro read the file before it reported, and saves only
// after the whole report is out. The save finds the file changed: nothing
// is written (exit 73), and no backup of it is left.
TEST(LostUpdate, AnInPlaceSaveKeepsWhatAnotherProgramWroteMeanwhile)
{
    TempFolder folder;
    const std::string file = folder.Path("data.cgi");
    folder.Put("data.cgi", Items(3000));
    const std::string theirs = Items(2);
    const std::string pipe = folder.Path("report");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);

    std::string report;
    std::thread reader([&] {
        const int fd = open(pipe.c_str(), O_RDONLY);
        char byte;
        if (read(fd, &byte, 1) == 1)
            report += byte;
        folder.Put("data.cgi", theirs);  // the other program
        char buffer[4096];
        for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;)
            report.append(buffer, static_cast<size_t>(got));
        close(fd);
    });
    const TavaroRun run = RunTavaro({"replace", "--field", "name", "-o", file, file, "x", "y"}, pipe);
    reader.join();
    EXPECT_EQ(run.status, 73) << run.err;
    EXPECT_GT(report.size(), 65536u);
    EXPECT_NE(run.err.find("tavaro replace: " + file +
                           " not written: another program changed it after it was read\n"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(folder.Get("data.cgi"), theirs);
    EXPECT_TRUE(BackupFolder(theirs).empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 2);
}
