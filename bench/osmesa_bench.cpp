// The benchmark scenes drawn through Mesa's software OpenGL (OSMesa on llvmpipe, one thread):
// 640 x 480, depth test, back faces culled, fixed-function lighting, flat and smooth shading.
// Each case also times our frame of the same scene in the same run (solid paint against flat,
// Gouraud shading against smooth) and reports gl_ms / ours_ms as the ratio.
#include <benchmark/benchmark.h>

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/osmesa.h>

#include <cstdlib>
#include <vector>

#include "bench/render_scene_setup.h"
#include "geometry/matrix.h"

namespace {

constexpr int kWidth = 640, kHeight = 480;

struct Vertex {
    float position[3];
    float normal[3];
    uint8_t color[4];
};

// One object's triangles in a buffer object: flat copies every triangle's corners with the
// polygon normal; smooth shares the model's vertices with their shading vectors.
struct Mesh {
    GLuint buffer = 0, indices = 0;
    GLsizei count = 0;
    int record = 0;
};

Mesh BuildMesh(const ObjectData &model, int record, bool smooth) {
    std::vector<Vertex> vertices;
    std::vector<GLuint> index;
    auto vertex = [&](int v, const Vector3 &n, const MaterialData &m) {
        const Vector3 &p = model.pnt[v];
        return Vertex{{p.x, p.y, p.z}, {n.x, n.y, n.z}, {m.color.red, m.color.green, m.color.blue, 255}};
    };
    if (smooth) {
        vertices.resize(static_cast<size_t>(model.pntNum));
        for (int j = 0; j < model.plnNum; ++j) {
            const PlaneData &pl = model.pln[j];
            for (int k = 0; k < pl.cornerNum; ++k) {
                vertices[pl.corner[k]] = vertex(pl.corner[k], model.shadingVector[pl.corner[k]], model.material[pl.materialNo]);
            }
        }
    }
    for (int j = 0; j < model.plnNum; ++j) {
        const PlaneData &pl = model.pln[j];
        for (int k = 1; k + 1 < pl.cornerNum; ++k) {
            for (int c : {0, k, k + 1}) {
                if (smooth) {
                    index.push_back(static_cast<GLuint>(pl.corner[c]));
                } else {
                    index.push_back(static_cast<GLuint>(vertices.size()));
                    vertices.push_back(vertex(pl.corner[c], pl.normal, model.material[pl.materialNo]));
                }
            }
        }
    }
    Mesh mesh;
    mesh.record = record;
    mesh.count = static_cast<GLsizei>(index.size());
    glGenBuffers(1, &mesh.buffer);
    glBindBuffer(GL_ARRAY_BUFFER, mesh.buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(Vertex)), vertices.data(), GL_STATIC_DRAW);
    glGenBuffers(1, &mesh.indices);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh.indices);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(index.size() * sizeof(GLuint)), index.data(), GL_STATIC_DRAW);
    return mesh;
}

struct GlContext {
    OSMesaContext context = nullptr;
    std::vector<uint8_t> pixels = std::vector<uint8_t>(static_cast<size_t>(kWidth) * kHeight * 4);
    bool ok = false;

    GlContext() {
        context = OSMesaCreateContextExt(OSMESA_RGBA, 24, 0, 0, nullptr);
        ok = context && OSMesaMakeCurrent(context, pixels.data(), GL_UNSIGNED_BYTE, kWidth, kHeight);
        if (!ok) return;
        glViewport(0, 0, kWidth, kHeight);
        glMatrixMode(GL_PROJECTION);
        // Our projection: screen distance 300 and clip distance 30 about the frame's centre.
        glFrustum(-32, 32, -24, 24, 30, 100000);
        glMatrixMode(GL_MODELVIEW);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
        glFrontFace(GL_CCW);
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        glEnable(GL_NORMALIZE);
        glEnable(GL_COLOR_MATERIAL);
        glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
        const GLfloat ambient[4] = {0.4f, 0.4f, 0.4f, 1}, diffuse[4] = {0.6f, 0.6f, 0.6f, 1}, white[4] = {1, 1, 1, 1};
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
        glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
        glLightfv(GL_LIGHT0, GL_SPECULAR, white);
        glMaterialfv(GL_FRONT, GL_SPECULAR, white);
        glMaterialf(GL_FRONT, GL_SHININESS, 40);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_NORMAL_ARRAY);
        glEnableClientState(GL_COLOR_ARRAY);
    }
};

GlContext &Gl() {
    static GlContext gl;
    return gl;
}

// Our camera space (depth, left, up) as OpenGL's eye space (right, up, backwards).
const GLfloat kCameraToEye[16] = {0, 0, -1, 0, -1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1};

void GlFrame(const pvscene::Scene &scene, const std::vector<Mesh> &meshes) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    pv::Matrix4 camera;
    pv::CameraMatrix(camera, &scene.records[0]);
    glLoadMatrixf(kCameraToEye);
    glMultMatrixf(camera.m);
    const GLfloat towardLight[4] = {-pv::g_state.light[0], -pv::g_state.light[1], -pv::g_state.light[2], 0};
    glLightfv(GL_LIGHT0, GL_POSITION, towardLight);
    for (const Mesh &mesh : meshes) {
        // Row-vector matrices stored row by row read as OpenGL's column-major column-vector form.
        pv::Matrix4 object, modelToCamera;
        pv::ObjectMatrix(object, scene.records.data(), mesh.record);
        pv::MultiplyMatrix(modelToCamera, object, camera);
        glLoadMatrixf(kCameraToEye);
        glMultMatrixf(modelToCamera.m);
        glBindBuffer(GL_ARRAY_BUFFER, mesh.buffer);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh.indices);
        glVertexPointer(3, GL_FLOAT, sizeof(Vertex), reinterpret_cast<void *>(offsetof(Vertex, position)));
        glNormalPointer(GL_FLOAT, sizeof(Vertex), reinterpret_cast<void *>(offsetof(Vertex, normal)));
        glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(Vertex), reinterpret_cast<void *>(offsetof(Vertex, color)));
        glDrawElements(GL_TRIANGLES, mesh.count, GL_UNSIGNED_INT, nullptr);
    }
    glFinish();
}

void BM_OSMesa(benchmark::State &state) {
    const int sceneId = static_cast<int>(state.range(0));
    const bool smooth = state.range(1) != 0;
    pvscene::Scene &scene = pvbench::GetScene(sceneId);
    GlContext &gl = Gl();
    if (!gl.ok || scene.count() == 0) {
        state.SkipWithError(gl.ok ? "model file not readable" : "no OSMesa context");
        return;
    }
    std::vector<Mesh> meshes;
    for (int i = 1; i <= scene.count(); ++i) {
        const ObjectStruct &r = scene.records[static_cast<size_t>(i)];
        if (r.visible && r.objectData) meshes.push_back(BuildMesh(*r.objectData, i, smooth));
    }
    glShadeModel(smooth ? GL_SMOOTH : GL_FLAT);
    GlFrame(scene, meshes);
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    for (auto _ : state) GlFrame(scene, meshes);
    const double glSeconds = pvbench::Seconds(Clock::now() - start) / static_cast<double>(state.iterations());
    for (const Mesh &mesh : meshes) {
        glDeleteBuffers(1, &mesh.buffer);
        glDeleteBuffers(1, &mesh.indices);
    }
    const int ourMode = smooth ? 3 : 1;
    const double ours = pvbench::OurFrameSeconds(scene, ourMode);
    state.SetLabel(std::string(pvbench::SceneName(sceneId)) + (smooth ? " smooth vs mode 3" : " flat vs mode 1"));
    state.counters["gl_ms"] = glSeconds * 1e3;
    state.counters["ours_ms"] = ours * 1e3;
    state.counters["gl/ours"] = glSeconds / ours;
}

BENCHMARK(BM_OSMesa)
    ->ArgsProduct({{pvbench::kSpheres, pvbench::kCorridor, pvbench::kTeapot}, {0, 1}})
    ->ArgNames({"scene", "smooth"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char **argv) {
    // llvmpipe reads its thread count when the first context is made: one thread, like ours.
    setenv("LP_NUM_THREADS", "1", 1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
