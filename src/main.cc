#include <cstdio>

int main() {
  std::puts("Pelloran TGA to PNG 2.9");
  return 0;
}
