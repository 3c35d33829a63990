#include "app/detector_access.h"
#include "app/ipconfig_driver.h"
#include "app/module_access.h"
#include "console/standard_streams.h"

#include <exception>
#include <iostream>

int main(int argc, char* argv[]) {
    standard_streams::Guard();
    try {
        DetectorAccess detector;
        ModuleAccess module;
        IpConfigDriver driver(std::cout, std::cerr, detector, module);
        return driver.Run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "Error - " << e.what() << std::endl;
    } catch (...) {
        std::cerr << "Error - unexpected failure" << std::endl;
    }
    return 1;
}
