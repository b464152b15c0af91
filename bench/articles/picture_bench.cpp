// Pictures sized for a platform, against decoding the same photo whole (what any conversion
// must at least do without the decoder's own scaling), measured side by side in one run:
//  - fitPicture of a 4000x3000 camera JPEG to 1080 px and 1 MB, against the 300 ms goal;
//  - inspectPicture (format, size and QR codes) of the same photo.
// Run: picture_bench [rounds]   (default 10)
#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "picture_fit.h"
#include "test_pictures.h"

namespace {

using Clock = std::chrono::steady_clock;

template <typename Work>
double MedianMs(int rounds, Work work) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        const auto from = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - from).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const QByteArray photo = Encoded(PhotoImage(4000, 3000), "JPEG", 92);
    std::printf("photo: 4000x3000 JPEG, %.1f MB\n", photo.size() / 1048576.0);
    const double decode = MedianMs(rounds, [&] { (void)QImage::fromData(photo); });
    qint64 bytes = 0;
    const double fit = MedianMs(rounds, [&] { bytes = fitPicture(photo, 1080, 1 << 20).bytes.size(); });
    const double inspect = MedianMs(rounds, [&] { (void)inspectPicture(photo); });
    std::printf("whole decode (yardstick)      %8.1f ms\n", decode);
    std::printf("fitPicture 1080 px, 1 MB      %8.1f ms  = %.2f x decode, %.2f of the 300 ms goal (%lld bytes)\n",
                fit, fit / decode, fit / 300.0, static_cast<long long>(bytes));
    std::printf("inspectPicture with QR search %8.1f ms  = %.2f x decode\n", inspect, inspect / decode);
    return fit < 300.0 ? 0 : 1;
}
