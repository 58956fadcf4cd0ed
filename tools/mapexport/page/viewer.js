// The level viewer inside every page mapexport --html writes. The page holds
// the level as a .glb in base64 (the script element "level") and this
// script, bundled with three.js; nothing is fetched, so the page opens from
// the file system with no server and no network.
//
// It opens at the file's camera, walkview's start view; dragging the mouse
// looks around, W A S D walk, Q and Z raise and lower the eye, R goes back
// to the start. window.levelView tells a test when the first picture is
// drawn and what went wrong, if anything.
import * as THREE from 'three';
import { GLTFLoader } from 'three/addons/loaders/GLTFLoader.js';

const walkSpeed = 4.0;      // metres a second, about walkview's pace
const climbSpeed = 2.0;
const turnPerPixel = 0.005; // radians the view turns per pixel dragged
const pitchLimit = 1.5;

const status = (window.levelView = { ready: false, firstPicture: 0, error: '' });

function levelBytes() {
    const text = document.getElementById('level').textContent.replace(/\s+/g, '');
    const binary = atob(text);
    const bytes = new Uint8Array(binary.length);
    for (let i = 0; i < binary.length; ++i)
        bytes[i] = binary.charCodeAt(i);
    return bytes.buffer;
}

function fail(message) {
    status.error = String(message);
    document.getElementById('info').textContent = 'This level could not be shown: ' + status.error;
    console.error(status.error);
}

// Where the view stands and looks; the start is the file's camera.
class Walker {
    constructor(camera) {
        camera.updateMatrixWorld(true);
        const euler = new THREE.Euler().setFromQuaternion(camera.getWorldQuaternion(new THREE.Quaternion()), 'YXZ');
        this.start = { position: camera.getWorldPosition(new THREE.Vector3()), yaw: euler.y, pitch: euler.x };
        this.keys = new Set();
        this.reset();
    }

    reset() {
        this.position = this.start.position.clone();
        this.yaw = this.start.yaw;
        this.pitch = this.start.pitch;
    }

    turn(dx, dy) {
        this.yaw -= dx * turnPerPixel;
        this.pitch = Math.max(-pitchLimit, Math.min(pitchLimit, this.pitch - dy * turnPerPixel));
    }

    // Moves by what the keys held ask for over seconds; true when it moved.
    step(seconds) {
        const k = this.keys;
        const ahead = (k.has('w') ? 1 : 0) - (k.has('s') ? 1 : 0);
        const aside = (k.has('d') ? 1 : 0) - (k.has('a') ? 1 : 0);
        const up = (k.has('q') ? 1 : 0) - (k.has('z') ? 1 : 0);
        if (!ahead && !aside && !up)
            return false;
        // Level walking: heading only, as walkview walks.
        const forward = new THREE.Vector3(-Math.sin(this.yaw), 0, -Math.cos(this.yaw));
        const right = new THREE.Vector3(Math.cos(this.yaw), 0, -Math.sin(this.yaw));
        this.position.addScaledVector(forward, ahead * walkSpeed * seconds);
        this.position.addScaledVector(right, aside * walkSpeed * seconds);
        this.position.y += up * climbSpeed * seconds;
        return true;
    }

    place(camera) {
        camera.position.copy(this.position);
        camera.rotation.set(this.pitch, this.yaw, 0, 'YXZ');
    }
}

function listen(walker, canvas, redraw) {
    const keyName = (event) => event.key.length === 1 ? event.key.toLowerCase() : '';
    window.addEventListener('keydown', (event) => {
        const key = keyName(event);
        if (key === 'r') {
            walker.reset();
            redraw();
        } else if ('wasdqz'.includes(key) && key) {
            walker.keys.add(key);
            redraw();
        }
    });
    window.addEventListener('keyup', (event) => walker.keys.delete(keyName(event)));
    window.addEventListener('blur', () => walker.keys.clear());
    let dragging = null;
    canvas.addEventListener('pointerdown', (event) => {
        dragging = { x: event.clientX, y: event.clientY };
        canvas.setPointerCapture(event.pointerId);
    });
    canvas.addEventListener('pointermove', (event) => {
        if (!dragging)
            return;
        walker.turn(event.clientX - dragging.x, event.clientY - dragging.y);
        dragging = { x: event.clientX, y: event.clientY };
        redraw();
    });
    canvas.addEventListener('pointerup', () => (dragging = null));
}

// The sky is drawn first and behind everything, round wherever the eye is,
// as walkview draws it.
function prepareSky(scene) {
    const sky = scene.getObjectByName('sky');
    if (!sky)
        return null;
    sky.traverse((object) => {
        if (!object.isMesh)
            return;
        object.renderOrder = -1;
        for (const material of [].concat(object.material)) {
            material.depthWrite = false;
            material.depthTest = false;
        }
    });
    return sky;
}

function show(gltf) {
    const fileCamera = gltf.cameras[0];
    if (!fileCamera)
        return fail('the file has no camera');
    const scene = gltf.scene;
    scene.background = new THREE.Color(0, 0, 0);
    const renderer = new THREE.WebGLRenderer({ antialias: false });
    renderer.setPixelRatio(window.devicePixelRatio);
    document.body.appendChild(renderer.domElement);
    const camera = new THREE.PerspectiveCamera(fileCamera.fov, 1, fileCamera.near, fileCamera.far);
    const walker = new Walker(fileCamera);
    const sky = prepareSky(scene);

    const fit = () => {
        renderer.setSize(window.innerWidth, window.innerHeight);
        camera.aspect = window.innerWidth / window.innerHeight;
        camera.updateProjectionMatrix();
    };
    let pending = false;
    let last = 0;
    const frame = (now) => {
        pending = false;
        const seconds = last ? Math.min((now - last) / 1000, 0.1) : 0;
        last = now;
        const moving = walker.step(seconds);
        walker.place(camera);
        if (sky)
            sky.position.set(camera.position.x, sky.position.y, camera.position.z);
        renderer.render(scene, camera);
        if (!status.ready) {
            renderer.getContext().finish();
            status.firstPicture = performance.now();
            status.ready = true;
        }
        if (moving)
            redraw();
        else
            last = 0;
    };
    const redraw = () => {
        if (!pending) {
            pending = true;
            requestAnimationFrame(frame);
        }
    };
    window.addEventListener('resize', () => {
        fit();
        redraw();
    });
    listen(walker, renderer.domElement, redraw);
    fit();
    redraw();
}

try {
    new GLTFLoader().parse(levelBytes(), '', show, (error) => fail(error.message || error));
} catch (error) {
    fail(error.message || error);
}
