#include "flash_tool.h"

#include <iostream>

int main(int argc, char **argv)
{
    return flashtool::runFlashTool(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
