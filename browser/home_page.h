#pragma once

namespace vostrel::core {
class Program;
}

namespace vostrel::browser {

inline constexpr const char* kHomePageAddress = "https://vostrel.example.org/";

// Opens the maker's home page in the default web browser, without waiting.
void OpenHomePage(core::Program& program);

}  // namespace vostrel::browser
