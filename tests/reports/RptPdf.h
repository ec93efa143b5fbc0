// Reading back a PDF the report engine printed: the text of each page
// (pdftotext of poppler-utils).
#pragma once

#include <cstdio>
#include <string>
#include <vector>

inline bool HavePdfTools() { return std::system("pdftotext -v > /dev/null 2>&1") == 0; }

// The text of every page, in order.
inline std::vector<std::string> PdfPageTexts(const std::string& pdf) {
  std::vector<std::string> pages;
  const std::string command = "pdftotext -layout '" + pdf + "' - 2>/dev/null";
  std::FILE* in = ::popen(command.c_str(), "r");
  if (in == nullptr) return pages;
  std::string all;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) all.append(buffer, n);
  ::pclose(in);
  std::size_t start = 0;
  for (std::size_t ff = all.find('\f'); ff != std::string::npos; ff = all.find('\f', start)) {
    pages.push_back(all.substr(start, ff - start));
    start = ff + 1;
  }
  return pages;
}
