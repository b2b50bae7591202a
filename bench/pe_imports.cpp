#include "pe_imports.h"

#include <stdint.h>
#include <string.h>

static bool Read32(const std::string &image, size_t offset, uint32_t *value) {
    if (offset > image.size() || image.size() - offset < 4)
        return false;
    memcpy(value, image.data() + offset, 4); // little-endian, as is the host
    return true;
}

static bool Read16(const std::string &image, size_t offset, uint16_t *value) {
    if (offset > image.size() || image.size() - offset < 2)
        return false;
    memcpy(value, image.data() + offset, 2);
    return true;
}

struct Sections {
    size_t table; // file offset of the section table
    uint16_t count;
};

// The file offset of a relative virtual address, through the section table.
static bool RvaToOffset(const std::string &image, const Sections &sections, uint32_t rva,
                        size_t *offset) {
    for (uint16_t i = 0; i < sections.count; ++i) {
        size_t entry = sections.table + 40u * i;
        uint32_t virtual_size, address, raw_size, raw_offset;
        if (!Read32(image, entry + 8, &virtual_size) || !Read32(image, entry + 12, &address) ||
            !Read32(image, entry + 16, &raw_size) || !Read32(image, entry + 20, &raw_offset))
            return false;
        uint32_t span = virtual_size > raw_size ? virtual_size : raw_size;
        if (rva >= address && rva - address < span) {
            *offset = (size_t)raw_offset + (rva - address);
            return *offset < image.size();
        }
    }
    return false;
}

// Finds the import directory's RVA and the section table.
static bool ReadHeaders(const std::string &image, uint32_t *imports, Sections *sections) {
    uint32_t pe;
    uint16_t optional_size, magic;
    if (image.compare(0, 2, "MZ") != 0 || !Read32(image, 0x3C, &pe) ||
        image.compare(pe, 4, std::string("PE\0\0", 4)) != 0 ||
        !Read16(image, pe + 6, &sections->count) || !Read16(image, pe + 20, &optional_size) ||
        !Read16(image, pe + 24, &magic))
        return false;
    size_t optional = pe + 24;
    size_t directories = optional + (magic == 0x20B ? 112 : 96);
    sections->table = optional + optional_size;
    return Read32(image, directories + 8, imports); // entry 1: imports
}

bool ReadPeImports(const std::string &image, std::vector<std::string> *dlls) {
    uint32_t imports;
    Sections sections;
    size_t descriptor;
    if (!ReadHeaders(image, &imports, &sections) ||
        !RvaToOffset(image, sections, imports, &descriptor))
        return false;
    for (;; descriptor += 20) {
        uint32_t name_rva;
        size_t name;
        if (!Read32(image, descriptor + 12, &name_rva))
            return false;
        if (name_rva == 0)
            return true;
        if (!RvaToOffset(image, sections, name_rva, &name))
            return false;
        dlls->push_back(std::string(image.c_str() + name));
    }
}
