#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <map>
#include <set>

#include "core/schedule_file.h"
#include "gbk.h"

namespace velquor {
namespace {

using test::gbk;
using Files = std::map<std::string, std::string>;

const std::string documents = gbk(u8"C:\\Users\\文件\\Documents");
const std::string schedule_path = documents + "\\Velquor.ini";

// Files in memory, with each step of a write able to fail. Like Windows, it
// neither moves nor removes a file that a handle holds open.
class FakeFileSystem : public FileSystem {
public:
    std::optional<std::string> documents_folder = documents;
    Files files;
    std::set<std::string> open_paths;
    std::vector<std::size_t> write_sizes;

    bool fail_create = false;
    int failing_write = 0;  // 1-based; 0 for none
    std::size_t failing_write_shortfall = 0;
    bool fail_flush = false;
    bool fail_close = false;
    bool fail_replace = false;

    std::optional<std::string> documents_folder_path() override { return documents_folder; }

    std::string read_whole_file(const std::string& path) override {
        const auto file = files.find(path);
        return file == files.end() ? std::string() : file->second;
    }

    std::unique_ptr<OutputFile> create_file(const std::string& path) override;

    bool replace_file(const std::string& from, const std::string& to) override {
        if (fail_replace || !files.contains(from) || open_paths.contains(from) || open_paths.contains(to)) {
            return false;
        }
        files[to] = files[from];
        files.erase(from);
        return true;
    }

    void remove_file(const std::string& path) override {
        if (!open_paths.contains(path)) files.erase(path);
    }
};

class FakeOutputFile : public OutputFile {
public:
    FakeOutputFile(FakeFileSystem& files, std::string path) : files_(files), path_(std::move(path)) {}
    // A failed close still leaves the handle open until the object goes.
    ~FakeOutputFile() override { files_.open_paths.erase(path_); }

    std::size_t write(std::string_view bytes) override {
        files_.write_sizes.push_back(bytes.size());
        if (static_cast<int>(files_.write_sizes.size()) == files_.failing_write) {
            bytes.remove_suffix(std::min(files_.failing_write_shortfall, bytes.size()));
        }
        files_.files[path_] += bytes;
        return bytes.size();
    }
    bool flush() override { return !files_.fail_flush; }
    bool close() override {
        if (files_.fail_close) return false;
        files_.open_paths.erase(path_);
        return true;
    }

private:
    FakeFileSystem& files_;
    std::string path_;
};

std::unique_ptr<OutputFile> FakeFileSystem::create_file(const std::string& path) {
    if (fail_create) return nullptr;
    files[path].clear();
    open_paths.insert(path);
    return std::make_unique<FakeOutputFile>(*this, path);
}

struct ShownBox {
    std::string text, caption;
    MessageIcon icon;
    friend bool operator==(const ShownBox&, const ShownBox&) = default;
};

class FakeMessageBoxes : public MessageBoxes {
public:
    std::vector<ShownBox> shown;
    void show_message_box(std::string_view text, std::string_view caption, MessageIcon icon) override {
        shown.push_back({std::string(text), std::string(caption), icon});
    }
};

const std::string caption = "\xCC\xE1\xCA\xBE\xD0\xC5\xCF\xA2\xA3\xBA";  // 提示信息：
const ShownBox saved_box{"\xB1\xA3\xB4\xE6\xB3\xC9\xB9\xA6", caption, MessageIcon::information};  // 保存成功
const ShownBox not_saved_box{"\xB1\xA3\xB4\xE6\xCA\xA7\xB0\xDC", caption, MessageIcon::warning};  // 保存失败

ScheduleTable one_row_table() {
    ScheduleTable table;
    const int row = table.append_row();
    table.set_cell(row, number_column, "1");
    table.set_cell(row, moment_column, gbk(u8"2024年5月6日7时8分9秒"));
    table.set_cell(row, target_column, "D:\\jobs\\backup.bat");
    return table;
}

// Enough rows for the file to take several writes.
ScheduleTable large_table() {
    ScheduleTable table;
    for (int i = 0; i < 5000; ++i) {
        const int row = table.append_row();
        table.set_cell(row, number_column, std::to_string(i + 1));
        table.set_cell(row, moment_column, gbk(u8"2019年3月11日11时19分43秒"));
        table.set_cell(row, target_column, gbk(u8"D:\\工作\\备份\\") + std::to_string(i) + ".bat");
    }
    return table;
}

TEST(ScheduleFilePath, JoinsTheDocumentsFolderAndTheFileName) {
    FakeFileSystem files;
    EXPECT_EQ(schedule_file_path(files), gbk(u8"C:\\Users\\文件\\Documents\\Velquor.ini"));
    files.documents_folder = "";
    EXPECT_EQ(schedule_file_path(files), "\\Velquor.ini");
    files.documents_folder.reset();
    EXPECT_EQ(schedule_file_path(files), "\\Velquor.ini");
}

TEST(SaveSchedule, WritesTheFileAndSaysSo) {
    FakeFileSystem files;
    files.files[schedule_path] = "old bytes";
    FakeMessageBoxes boxes;
    save_schedule(one_row_table(), files, boxes);
    EXPECT_EQ(files.files, (Files{{schedule_path,
                                   "[Velquor\xA3\xBA]\r\n1=2024\xC4\xEA" "5\xD4\xC2" "6\xC8\xD5" "7\xCA\xB1" "8\xB7\xD6"
                                   "9\xC3\xEB\xA3\xAC" "D:\\jobs\\backup.bat\r\n"}}));
    EXPECT_EQ(boxes.shown, std::vector<ShownBox>{saved_box});
    EXPECT_TRUE(files.open_paths.empty());
}

TEST(SaveSchedule, WritesALargeFileWholeInChunks) {
    const ScheduleTable table = large_table();
    const std::string text = schedule_file_text(table);
    FakeFileSystem files;
    FakeMessageBoxes boxes;
    save_schedule(table, files, boxes);
    EXPECT_EQ(files.files, (Files{{schedule_path, text}}));
    EXPECT_EQ(boxes.shown, std::vector<ShownBox>{saved_box});
    EXPECT_EQ(files.write_sizes.size(), (text.size() + 65535) / 65536);
    EXPECT_GT(files.write_sizes.size(), 2u);
}

TEST(SaveSchedule, WithoutDocumentsFolderWritesAtTheRoot) {
    FakeFileSystem files;
    files.documents_folder.reset();
    FakeMessageBoxes boxes;
    save_schedule(ScheduleTable{}, files, boxes);
    EXPECT_EQ(files.files, (Files{{"\\Velquor.ini", "[Velquor\xA3\xBA]\r\n"}}));
    EXPECT_EQ(boxes.shown, std::vector<ShownBox>{saved_box});
}

TEST(SaveSchedule, AFailureAtAnyStepKeepsTheOldFileAndLeavesNoTemporaryFile) {
    const ScheduleTable table = large_table();
    const std::size_t write_count = (schedule_file_text(table).size() + 65535) / 65536;
    std::vector<std::pair<std::string, std::function<void(FakeFileSystem&)>>> faults = {
        {"create", [](FakeFileSystem& f) { f.fail_create = true; }},
        {"flush", [](FakeFileSystem& f) { f.fail_flush = true; }},
        {"close", [](FakeFileSystem& f) { f.fail_close = true; }},
        {"replace", [](FakeFileSystem& f) { f.fail_replace = true; }},
    };
    for (std::size_t k = 1; k <= write_count; ++k) {
        faults.emplace_back("write " + std::to_string(k) + " writes nothing", [k](FakeFileSystem& f) {
            f.failing_write = static_cast<int>(k);
            f.failing_write_shortfall = std::numeric_limits<std::size_t>::max();
        });
        faults.emplace_back("write " + std::to_string(k) + " is short", [k](FakeFileSystem& f) {
            f.failing_write = static_cast<int>(k);
            f.failing_write_shortfall = 1;
        });
    }
    for (const auto& [step, fault] : faults) {
        for (const bool old_file : {true, false}) {
            FakeFileSystem files;
            if (old_file) files.files[schedule_path] = "old bytes";
            fault(files);
            FakeMessageBoxes boxes;
            save_schedule(table, files, boxes);
            EXPECT_EQ(files.files, (old_file ? Files{{schedule_path, "old bytes"}} : Files{})) << step;
            EXPECT_EQ(boxes.shown, std::vector<ShownBox>{not_saved_box}) << step;
            EXPECT_TRUE(files.open_paths.empty()) << step;
        }
    }
}

TEST(WriteWholeFile, WritesEvenNoBytes) {
    FakeFileSystem files;
    files.files["a.txt"] = "old";
    EXPECT_TRUE(write_whole_file(files, "a.txt", ""));
    EXPECT_EQ(files.files, (Files{{"a.txt", ""}}));
    EXPECT_TRUE(write_whole_file(files, "b.txt", "new"));
    EXPECT_EQ(files.files, (Files{{"a.txt", ""}, {"b.txt", "new"}}));
    files.fail_replace = true;
    EXPECT_FALSE(write_whole_file(files, "a.txt", "newer"));
    EXPECT_EQ(files.files, (Files{{"a.txt", ""}, {"b.txt", "new"}}));
}

TEST(LoadSchedule, ReplacesTheTableWithTheFilesRows) {
    FakeFileSystem files;
    FakeMessageBoxes boxes;
    const ScheduleTable saved = large_table();
    save_schedule(saved, files, boxes);
    ScheduleTable table = one_row_table();
    load_schedule(table, files);
    ASSERT_EQ(table.row_count(), saved.row_count());
    for (int row = 0; row < saved.row_count(); ++row) {
        for (int column = 0; column < 3; ++column) {
            ASSERT_EQ(table.cell_text(row, column), saved.cell_text(row, column)) << row << ',' << column;
        }
    }
}

TEST(LoadSchedule, WithoutAFileGivesAnEmptyTable) {
    FakeFileSystem files;
    files.files["\\Velquor.ini"] = "[Velquor\xA3\xBA]\r\n1=T\xA3\xACP\r\n";
    ScheduleTable table = one_row_table();
    load_schedule(table, files);
    EXPECT_EQ(table.row_count(), 0);
    EXPECT_EQ(files.files.size(), 1u);
}

TEST(LoadSchedule, WithoutDocumentsFolderReadsAtTheRoot) {
    FakeFileSystem files;
    files.documents_folder.reset();
    files.files["\\Velquor.ini"] = "[Velquor\xA3\xBA]\r\n1=T\xA3\xACP\r\n";
    ScheduleTable table;
    load_schedule(table, files);
    ASSERT_EQ(table.row_count(), 1);
    EXPECT_EQ(table.cell_text(0, number_column), "1");
    EXPECT_EQ(table.cell_text(0, moment_column), "T");
    EXPECT_EQ(table.cell_text(0, target_column), "P");
}

}  // namespace
}  // namespace velquor
