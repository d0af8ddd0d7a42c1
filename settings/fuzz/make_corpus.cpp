// Writes the seed files of the profile fuzzer into the directory given: the
// nasty shapes a hand-edited Config.ini can take, generated rather than kept
// in the repository because some are large.
#include <filesystem>
#include <fstream>
#include <string>

namespace {

void Seed(const std::filesystem::path& dir, const char* name, const std::string& bytes) {
  std::ofstream out(dir / name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string AllBytes() {
  std::string bytes = "[Skins]\r\nSelected=";
  for (int round = 0; round < 4; ++round) {
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  }
  return bytes;
}

std::string ManySections(int count) {
  std::string bytes;
  for (int i = 0; i < count; ++i)
    bytes += "[S" + std::to_string(i) + "]\r\nk=" + std::to_string(i) + "\r\n";
  return bytes + "[Skins]\r\nSelected=1\r\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::filesystem::path dir = argv[1];
  std::filesystem::create_directories(dir);
  Seed(dir, "typical.ini",
       "[Skins]\r\nLanguage=TitleEN\r\nCount=2\r\nSelected=1\r\nSBitmap(1)=s1.bmp\r\n"
       "Bitmap1=b1.png\r\n\r\n[TitleEN]\r\nTitle=\"QUORBEL WARNING\"\r\nLevel=\r\n");
  Seed(dir, "empty.ini", "");
  Seed(dir, "binary.ini", AllBytes());
  Seed(dir, "no-final-newline.ini", "[Skins]\r\nCount=2\r\nSelected=1");
  Seed(dir, "cr-only.ini", "[Skins]\rCount=2\r\r[TitleEN]\rTitle=x\r");
  Seed(dir, "utf8-bom.ini",
       "\xEF\xBB\xBF[Skins]\r\nSelected=1\r\n[TitleDE]\r\nMenuExit=Schlie\xC3\x9F"
       "en\r\n");
  Seed(dir, "utf16-bom.ini", std::string("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0v\0", 18));
  Seed(dir, "many-sections.ini", ManySections(100000));
  Seed(dir, "long-line.ini", "[Skins]\r\nSelected=" + std::string(10'000'000, 'x') + "\r\n");
  return 0;
}
