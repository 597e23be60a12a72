#include "qnhost.hpp"

#include <iostream>

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  return qnhost::qnhostMain(std::move(args), std::cout, std::cerr);
}
