// Runs the built tavaro program and collects what it printed.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "../run_program.h"
#include "foundation/cp932.h"

using TavaroRun = ProgramRun;

// The sample data file of the examples folder.
inline const std::string kSample = TAVARO_SOURCE_DIR "/examples/inc-item-data.cgi";

// `output`: where standard output goes instead of being collected.
inline TavaroRun RunTavaro(const std::vector<std::string>& args, const std::string& output = "")
{
    return RunProgram(TAVARO_EXE, args, {}, output);
}

inline TavaroRun RunTavaroWith(const std::vector<std::string>& args, const ProgramStart& start)
{
    return RunProgramWith(TAVARO_EXE, args, start);
}

// The bytes of the file `path`.
inline std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// The files in the backup folder beside the built tavaro that hold
// `content`. Tests run side by side share the folder: each looks only at
// backups of its own data.
inline std::set<std::string> BackupFolder(const std::string& content)
{
    std::set<std::string> names;
    const std::filesystem::path folder = std::filesystem::path(TAVARO_EXE).parent_path() / "backup";
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (ReadFile(entry.path().string()) == content)
            names.insert(entry.path().string());
    return names;
}

// The backups of `content` made since `before` was taken; they are removed,
// since the backup folder is shared.
inline std::set<std::string> NewBackups(const std::string& content, const std::set<std::string>& before)
{
    std::set<std::string> made;
    for (const std::string& name : BackupFolder(content))
        if (!before.count(name)) {
            made.insert(name);
            std::filesystem::remove(name);
        }
    return made;
}

// A run and what it should give: `err` empty or ending in a line feed is
// the whole of standard error, otherwise its start.
struct TavaroCase {
    std::vector<std::string> args;
    int status;
    std::string out;
    std::string err;
};

inline void ExpectRuns(const std::vector<TavaroCase>& cases)
{
    for (const TavaroCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const TavaroRun run = RunTavaro(c.args);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_EQ(run.out, c.out);
        if (c.err.empty() || c.err.ends_with('\n')) {
            EXPECT_EQ(run.err, c.err);
        } else {
            EXPECT_TRUE(run.err.starts_with(c.err)) << run.err;
        }
    }
}

// A data file from UTF-8 lines: CP932 with CR LF.
inline std::string DataFile(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += Utf8ToCp932(line) + "\r\n";
    return text;
}
