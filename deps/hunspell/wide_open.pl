# Hunspell opens its files with narrow paths, which on Windows go through the
# ANSI code page: a UTF-8 path with non-ASCII characters then fails to open.
# Rewrite its one file-opening helper to convert UTF-8 to UTF-16 first.
undef $/;
my $src = <STDIN>;
my $new = <<'CXX';
void myopen(std::ifstream& stream, const char* path, std::ios_base::openmode mode)
{
#if defined(_WIN32)
  int len = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, NULL, 0);
  if (len > 0) {
    std::wstring wide(len, L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, &wide[0], len);
    stream.open(wide.c_str(), mode);
    return;
  }
#endif
  stream.open(path, mode);
}
CXX
$src =~ s/void myopen\(std::ifstream& stream.*?\n}\n/$new/s or die "myopen not found";
print $src;
