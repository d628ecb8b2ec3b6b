// Handing a loaded TGA image to OpenGL, mipmapped through GLU or as a single level.
#include "assets/texture.h"
#include "assets/texture_scale.h"

#include <GL/gl.h>
#include <GL/glu.h>

bool upload_texture(Texture& texture, TextureUpload upload) {
    texture.texture_id = 0;
    // An empty record (a failed read) gets no texture name: its surfaces draw untextured.
    if (texture.pixels.empty() || texture.width == 0 || texture.height == 0) {
        return false;
    }
    const GLenum format = texture.bits_per_pixel == 32 ? GL_RGBA : GL_RGB;
    GLuint name = 0;
    glGenTextures(1, &name);
    if (name == 0) {
        return false;
    }
    glBindTexture(GL_TEXTURE_2D, name);

    // TGA rows have no padding. With the default 4-byte row alignment OpenGL would read
    // rows of odd-width 24-bit images past their end (and past the buffer on the last row).
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);

    const GLsizei width = GLsizei(texture.width);
    const GLsizei height = GLsizei(texture.height);
    bool ok = true;
    if (upload == TextureUpload::mipmapped) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
        // Any size is accepted: scaled here to powers of two that the GL can hold, so
        // GLU only builds the smaller levels.
        GLint max_size = 0;
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &max_size);
        uint32_t pot_width = nearest_power_of_two(texture.width);
        uint32_t pot_height = nearest_power_of_two(texture.height);
        while (max_size > 0 && pot_width > uint32_t(max_size)) {
            pot_width /= 2;
        }
        while (max_size > 0 && pot_height > uint32_t(max_size)) {
            pot_height /= 2;
        }
        const uint32_t components = texture.bits_per_pixel / 8;
        std::vector<uint8_t> scaled;
        if (pot_width != texture.width || pot_height != texture.height) {
            scaled = scale_pixels(texture.pixels, texture.width, texture.height, components,
                                  pot_width, pot_height);
        }
        const uint8_t* data = scaled.empty() ? texture.pixels.data() : scaled.data();
        const GLsizei w = scaled.empty() ? width : GLsizei(pot_width);
        const GLsizei h = scaled.empty() ? height : GLsizei(pot_height);
        ok = gluBuild2DMipmaps(GL_TEXTURE_2D, 4, w, h, format, GL_UNSIGNED_BYTE, data) == 0;
    } else {
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexImage2D(GL_TEXTURE_2D, 0, GLint(format), width, height, 0, format, GL_UNSIGNED_BYTE,
                     texture.pixels.data());
    }
    glPopClientAttrib();

    if (!ok) {
        // GLU refused the image (too large to scale): no half-built texture is left named.
        glDeleteTextures(1, &name);
        return false;
    }
    texture.texture_id = name;
    return true;
}

bool load_tga_texture(Texture& texture, const std::string& path, TextureUpload upload) {
    std::string error;
    if (!read_tga_file(path, texture, error)) {
        return false;
    }
    return upload_texture(texture, upload);
}
