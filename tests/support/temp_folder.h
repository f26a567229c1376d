#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tarvelo::test {

// A fresh folder under /tmp, removed with everything in it on destruction.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder path, ending with "/".
    const std::string& Path() const { return m_path; }
    std::string File(std::string_view name) const { return m_path + std::string(name); }

    void Write(std::string_view name, std::string_view bytes) const;
    std::string Read(std::string_view name) const;
    // Copies a shipped data file into the folder.
    void CopyShipped(std::string_view name) const;

private:
    std::string m_path;
};

// Runs `check` as an unprivileged user (in a child process when the tests run
// as root, who may write any file) and returns its result; false when the
// child could not become that user.
bool RunAsUnprivileged(const std::function<bool()>& check);

// Lowers the file-size limit of the process for its lifetime, so writes of
// more bytes fail even for root, which ignores permission bits.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(unsigned long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    unsigned long m_oldSoft;
    void (*m_oldHandler)(int);
};

} // namespace tarvelo::test
