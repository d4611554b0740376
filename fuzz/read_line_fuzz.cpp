// ReadLine over any bytes: a line ends at CR, LF, CR LF or NUL, and the
// position moves just past the ending. Reading the file in pieces of varying
// sizes gives its bytes, whatever the buffer underneath does.
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "services/file_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace pellwise;
    using namespace pellwise::fuzz;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    FileStream stream = FileStream::OpenForReading(WriteScratch("version.txt", data, size));
    Expect(stream.IsOpen() && stream.Size() == size, "the file opens with its size");
    for (size_t at = 0; at < size;) {
        const size_t end = std::min(bytes.find_first_of(std::string("\r\n\0", 3), at), size);
        Expect(stream.ReadLine() == bytes.substr(at, end - at), "a line ends at its first CR, LF or NUL");
        at = std::min(end + (bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1), size);
        Expect(stream.Position() == at, "a line's ending is passed over");
    }
    Expect(stream.ReadLine().empty(), "at the end a line is empty");

    // Pieces of 1 to 256 bytes, sized by the bytes themselves.
    Expect(stream.Seek(0, SeekOrigin::Begin) == 0, "seek to the start");
    std::string read;
    for (size_t i = 0; read.size() < size; ++i) {
        std::vector<char> piece(1 + static_cast<uint8_t>(bytes[i % size]));
        const int got = stream.Read(piece.data(), static_cast<int>(piece.size()));
        if (got <= 0) break;
        read.append(piece.data(), static_cast<size_t>(got));
    }
    Expect(read == bytes, "reading in pieces gives the file");
    return 0;
}
