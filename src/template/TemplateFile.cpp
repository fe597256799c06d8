#include "template/TemplateFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/CamEngine.h"
#include "platform/core/AnsiText.h"
#include "platform/core/DataFolder.h"

namespace orv {

std::string TemplateFolderOf(std::string_view programDir)
{
    std::string folder(programDir);
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    folder += "tOrvanta/";
    return folder;
}

std::string TemplateFolder()
{
    return TemplateFolderOf(DataFolder());
}

int ReadTemplateFile(std::string_view folder, std::string_view fileName, char (&text)[kTemplateTextBytes])
{
    std::memset(text, 0, sizeof text);
    std::string path(folder);
    path += fileName;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 1;
    struct stat st {};
    if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        close(fd);
        return 1;
    }
    std::size_t kept = 0;
    char piece[kTemplatePieceBytes];
    while (kept < kTemplateKeptBytes) {
        const ssize_t n = read(fd, piece, sizeof piece);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        std::size_t take = static_cast<std::size_t>(n);
        if (take > kTemplateKeptBytes - kept)
            take = kTemplateKeptBytes - kept; // the rest of the file is ignored
        std::memcpy(text + kept, piece, take);
        kept += take;
    }
    close(fd);
    return 0;
}

void HandTemplateToEngine(CCamEngine& engine, const char (&text)[kTemplateTextBytes])
{
    const std::u16string wide = AnsiToWide(text, kTemplateKeptBytes);
    engine.ResetFieldTable();
    WCopy(engine.m_WorkText, wide);
    engine.ClearFields();
    engine.ParseTemplate(u"\r\n");
}

int LoadTemplateInto(CCamEngine& engine, std::string_view folder, std::string_view fileName,
    char (&text)[kTemplateTextBytes])
{
    if (ReadTemplateFile(folder, fileName, text) != 0)
        return 1;
    HandTemplateToEngine(engine, text);
    return 0;
}

} // namespace orv
