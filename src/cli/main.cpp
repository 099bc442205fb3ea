#include <cstdio>

int main() {
  std::puts("usage: quilmark-cli export|playlist|apply ...");
  return 2;
}
