// sknz-pack: writes a ".sknz" skin archive from the image files of a folder,
// so that a skin's images can travel as one file beside the program.
//
//   sknz-pack [--store] [--block-size BYTES] FOLDER ARCHIVE
//
// Every regular file directly inside FOLDER becomes one member, named by
// its file name in lower case: skins look their images up by lower-case
// names only, so a member spelt otherwise could never be found. Members are
// BriefLZ-compressed in blocks (64 KiB by default) when that makes them
// smaller, and stored as they are otherwise or with --store. The archive is
// read back with the program's own reader before the tool reports success.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "toolkit/style/skin_archive.h"

namespace fs = std::filesystem;
using lumora::SknzLimits;

namespace {

int Usage() {
  std::fprintf(stderr, "usage: sknz-pack [--store] [--block-size BYTES] FOLDER ARCHIVE\n");
  return 2;
}

bool ReadFile(const fs::path& path, std::vector<uint8_t>* out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

// UTF-8 file name to UTF-16, lower-casing ASCII letters; false for bytes
// that are not UTF-8.
bool MemberName(const std::string& utf8, std::u16string* out) {
  out->clear();
  for (size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    uint32_t code = 0;
    size_t extra = 0;
    if (c < 0x80) code = c;
    else if ((c & 0xE0) == 0xC0) code = c & 0x1F, extra = 1;
    else if ((c & 0xF0) == 0xE0) code = c & 0x0F, extra = 2;
    else if ((c & 0xF8) == 0xF0) code = c & 0x07, extra = 3;
    else return false;
    if (extra && i + extra >= utf8.size()) return false;
    for (size_t k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = code << 6 | (next & 0x3F);
    }
    i += extra + 1;
    if (code >= 'A' && code <= 'Z') code += 32;
    if (code >= 0x10000) {
      code -= 0x10000;
      out->push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
      out->push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    } else {
      out->push_back(static_cast<char16_t>(code));
    }
  }
  return !out->empty();
}

}  // namespace

int Pack(int argc, char** argv) {
  bool compress = true;
  unsigned long block_size = 1ul << 16;
  std::vector<std::string> paths;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--store") {
      compress = false;
    } else if (arg == "--block-size" && i + 1 < argc) {
      char* end = nullptr;
      block_size = std::strtoul(argv[++i], &end, 10);
      if (*end || block_size == 0 || block_size > (1ul << 24)) return Usage();
    } else if (arg.rfind("--", 0) == 0) {
      return Usage();
    } else {
      paths.push_back(arg);
    }
  }
  if (paths.size() != 2) return Usage();
  const fs::path folder = paths[0];
  const fs::path archive_path = paths[1];

  std::error_code error;
  std::map<std::u16string, fs::path> members;  // sorted: the same folder gives the same archive
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    if (!entry.is_regular_file()) continue;
    std::u16string name;
    const std::u8string file_name = entry.path().filename().u8string();
    if (!MemberName(std::string(file_name.begin(), file_name.end()), &name)) {
      std::fprintf(stderr, "sknz-pack: skipping %s: its name is not UTF-8\n", entry.path().string().c_str());
      continue;
    }
    if (!members.emplace(name, entry.path()).second) {
      std::fprintf(stderr, "sknz-pack: %s: another file has the same name in lower case\n",
                   entry.path().string().c_str());
      return 1;
    }
  }
  if (error) {
    std::fprintf(stderr, "sknz-pack: cannot read folder %s: %s\n", folder.string().c_str(), error.message().c_str());
    return 1;
  }

  const SknzLimits limits;
  std::vector<uint8_t> archive;
  std::map<std::u16string, std::vector<uint8_t>> contents;
  for (const auto& [name, path] : members) {
    std::vector<uint8_t> data;
    if (!ReadFile(path, &data)) {
      std::fprintf(stderr, "sknz-pack: cannot read %s\n", path.string().c_str());
      return 1;
    }
    if (data.empty() || data.size() > limits.max_member) {
      std::fprintf(stderr, "sknz-pack: skipping %s: %zu bytes (skins load files of 1 byte to %u bytes)\n",
                   path.string().c_str(), data.size(), limits.max_member);
      continue;
    }
    const size_t before = archive.size();
    lumora::AppendSknzMember(&archive, name, data, compress, static_cast<uint32_t>(block_size));
    std::printf("%-32s %10zu -> %10zu\n", path.filename().string().c_str(), data.size(), archive.size() - before);
    contents.emplace(name, std::move(data));
  }

  // What we wrote must read back, through the reader the program uses.
  for (const auto& [name, data] : contents) {
    lumora::SknzMemorySource source(archive.data(), archive.size());
    std::vector<uint8_t> read;
    if (!lumora::FindSknzMember(source, name, &read) || read != data) {
      std::fprintf(stderr, "sknz-pack: internal error: a member does not read back\n");
      return 1;
    }
  }

  const fs::path partial = archive_path.string() + ".partial";
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(archive.data()), static_cast<std::streamsize>(archive.size()));
    if (!out.flush()) {
      std::fprintf(stderr, "sknz-pack: cannot write %s\n", partial.string().c_str());
      fs::remove(partial, error);
      return 1;
    }
  }
  fs::rename(partial, archive_path, error);
  if (error) {
    std::fprintf(stderr, "sknz-pack: cannot write %s: %s\n", archive_path.string().c_str(), error.message().c_str());
    fs::remove(partial, error);
    return 1;
  }
  std::printf("%zu members, %zu bytes\n", contents.size(), archive.size());
  return 0;
}

int main(int argc, char** argv) {
  try {
    return Pack(argc, argv);
  } catch (const std::exception& caught) {
    std::fprintf(stderr, "sknz-pack: %s\n", caught.what());
    return 1;
  }
}
